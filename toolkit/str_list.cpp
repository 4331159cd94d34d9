#include "toolkit/str_list.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr char CR = 13;
constexpr char LF = 10;

// Past the next carriage return (or at the terminating zero), then past one
// line feed if it follows.
const char* nextLineStart(const char* p) {
    while (*p && *p != CR)
        ++p;
    if (*p == CR) {
        ++p;
        if (*p == LF)
            ++p;
    }
    return p;
}

} // namespace

TStrList::~TStrList() {
    clear();
}

TList& TStrList::ensureLines() {
    if (!lines_)
        lines_ = new TList();
    return *lines_;
}

const char* TStrList::line(std::int32_t index) const {
    return lines_ ? static_cast<const char*>(lines_->get(index)) : nullptr;
}

bool TStrList::inTextBuffer(const char* p) const {
    auto address = reinterpret_cast<std::uintptr_t>(p);
    auto start = reinterpret_cast<std::uintptr_t>(textBuffer_);
    return textBuffer_ && address >= start &&
           address < start + static_cast<std::uintptr_t>(textBufferSize_);
}

void TStrList::add(std::string_view text) {
    char* copy = new char[text.size() + 1];
    std::memcpy(copy, text.data(), text.size());
    copy[text.size()] = 0;
    ensureLines().add(copy);
    ++count_;
}

std::string TStrList::items(std::int32_t index) const {
    const char* p = line(index);
    return p ? std::string(p) : std::string();
}

std::string TStrList::text() const {
    std::size_t length = 0;
    for (std::int32_t i = 0; i < count_; ++i)
        length += std::strlen(line(i)) + 2;
    std::string result;
    result.reserve(length);
    for (std::int32_t i = 0; i < count_; ++i) {
        result += line(i);
        result += "\r\n";
    }
    return result;
}

// Copies the text and its zero into the shared block. When the block moves,
// the lines that point into it move along.
void TStrList::appendToTextBuffer(std::string_view text) {
    std::int32_t added = static_cast<std::int32_t>(text.size()) + 1;
    char* fresh = new char[static_cast<std::size_t>(textBufferSize_ + added)];
    if (textBufferSize_ > 0)
        std::memcpy(fresh, textBuffer_, static_cast<std::size_t>(textBufferSize_));
    std::memcpy(fresh + textBufferSize_, text.data(), text.size());
    fresh[textBufferSize_ + added - 1] = 0;
    if (textBuffer_ && lines_) {
        for (std::int32_t i = 0; i < lines_->count(); ++i) {
            char* p = static_cast<char*>(lines_->get(i));
            if (inTextBuffer(p))
                lines_->put(i, fresh + (p - textBuffer_));
        }
    }
    delete[] textBuffer_;
    textBuffer_ = fresh;
    textBufferSize_ += added;
}

void TStrList::setText(std::string_view text, bool append) {
    if (!append)
        clear();
    if (text.empty())
        return;
    std::int32_t start = textBufferSize_;
    appendToTextBuffer(text);
    TList& lines = ensureLines();
    char* first = textBuffer_ + start;

    std::int32_t added = 0;
    for (const char* p = first; *p; p = nextLineStart(p))
        ++added;
    count_ += added;
    if (lines.capacity() < count_)
        lines.setCapacity(count_);

    for (char* p = first; *p;) {
        lines.add(p);
        char* next = const_cast<char*>(nextLineStart(p));
        // Terminate the line where its carriage return was.
        for (char* q = p; q < next; ++q)
            if (*q == CR) {
                *q = 0;
                break;
            }
        p = next;
    }
}

void TStrList::deleteAt(std::int32_t index) {
    char* p = lines_ ? static_cast<char*>(lines_->get(index)) : nullptr;
    if (!p)
        return;
    if (!inTextBuffer(p))
        delete[] p;
    lines_->deleteAt(index);
    --count_;
}

void TStrList::clear() {
    for (std::int32_t i = count_ - 1; i >= 0; --i)
        deleteAt(i);
    TObj::freeObject(lines_);
    lines_ = nullptr;
    count_ = 0;
    delete[] textBuffer_;
    textBuffer_ = nullptr;
    textBufferSize_ = 0;
}

TStrListEx::TStrListEx() : objects_(new TList()) {}

TStrListEx::~TStrListEx() {
    TObj::freeObject(objects_);
}

void TStrListEx::setObject(std::int32_t index, void* p) {
    if (index < 0)
        return;
    if (objects_->count() < index + 1) {
        objects_->setCapacity(index + 1);
        while (objects_->count() < index + 1)
            objects_->add(nullptr);
    }
    objects_->put(index, p);
}
