#pragma once

#include "ProductRecord.h"

// What the product picker needs from the window that opens it (the single-item
// report): a list of recommended products to append the chosen one to.
//
// Threading: GUI thread only.
class ProductPickerOwner {
public:
    virtual ~ProductPickerOwner() = default;
    // Appends a copy of the chosen product; the same product may be appended
    // more than once.
    virtual void appendRecommendedProduct(const ProductRecord& product) = 0;
};
