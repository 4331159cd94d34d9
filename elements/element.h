// The common ground of the elements: other elements hold links to an
// element's points by its address, so an element is never copied or moved.
// The schematic owns elements of many classes and destroys each through this
// base.
#pragma once

class TKNElement {
public:
    TKNElement(const TKNElement&) = delete;
    TKNElement& operator=(const TKNElement&) = delete;
    virtual ~TKNElement() = default;

protected:
    TKNElement() = default;
};
