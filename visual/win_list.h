// Window elements whose control holds lines of text: batched rewrites,
// whole-text replacement and access to the lines.
#pragma once

#include "toolkit/str_list.h"
#include "visual/win_element.h"

#include <cstdint>
#include <string>

class TKNWinList : public TKNWin {
public:
    explicit TKNWinList(TControl* parent);
    ~TKNWinList() override;

    // Copies every line of the control into `lines`.
    virtual void loadLines();
    virtual void replaceText(const std::string& text) = 0;
    virtual void beginRewrite();
    virtual void endRewrite();
    // Appends a line and answers its index.
    virtual std::int32_t addItem(const std::string& text);
    // Appends a line without asking its index, which would make the control
    // lay its lines out at once.
    virtual void appendItem(const std::string& text);
    virtual void selectLine(std::int32_t index);
    virtual void setLine(const TData& indexData, const TData& valueData);

    void inAdd(TData& data, std::uint16_t index);
    void inClear(TData& data, std::uint16_t index);
    void getText(TData& data, std::uint16_t index);

    bool AddToTop = false;
    bool SelectAdded = false;
    TKN_Event srcText;
    TKN_Event srcItemValue;
    TKN_Event outChange;

protected:
    TStrList* lines = nullptr; // owned

private:
    void insertFirstLine(const std::string& text);
};

class TKNEWinList : public TKNWinList {
public:
    using TKNWinList::TKNWinList;

    void replaceText(const std::string& text) override;
};
