// The common ground of the elements: other elements hold links to an
// element's points by its address, so an element is never copied or moved.
#pragma once

class TKNElement {
public:
    TKNElement(const TKNElement&) = delete;
    TKNElement& operator=(const TKNElement&) = delete;

protected:
    TKNElement() = default;
    ~TKNElement() = default;
};
