// Lists of text lines. Lines added one at a time have their own block;
// setText keeps all the lines it stores in one shared text block.
#pragma once

#include "toolkit/list.h"

#include <cstdint>
#include <string>
#include <string_view>

class TStrList : public TObj {
public:
    void add(std::string_view line);
    std::string items(std::int32_t index) const; // empty out of range
    std::string text() const;                    // every line followed by CR LF
    void setText(std::string_view text, bool append);
    void deleteAt(std::int32_t index);
    void clear();

    std::int32_t count() const { return count_; }

protected:
    ~TStrList() override;

private:
    const char* line(std::int32_t index) const;
    bool inTextBuffer(const char* p) const;
    void appendToTextBuffer(std::string_view text);
    TList& ensureLines();

    TList* lines_ = nullptr; // zero-terminated lines, made on first use
    std::int32_t count_ = 0;
    char* textBuffer_ = nullptr;
    std::int32_t textBufferSize_ = 0;
};

// A string list with one pointer-sized object beside each line.
class TStrListEx : public TStrList {
public:
    TStrListEx();

    void setObject(std::int32_t index, void* p);
    void* object(std::int32_t index) const { return objects_->get(index); }

protected:
    ~TStrListEx() override;

private:
    TList* objects_;
};
