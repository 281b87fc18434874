// SSLifo: the engines' stack (expression lists of the lexer, elements of the
// parser), with a capacity that grows by a fixed step.
#pragma once

#include "parser/ss_exception.h"

#include <cstddef>
#include <utility>
#include <vector>

namespace quillex {

template <class T> class SSLifo {
  public:
    // A growth step of 0 makes the capacity fixed: pushing onto a full stack
    // then raises SSLifo0001e.
    SSLifo(std::size_t capacity, std::size_t growth) : capacity_(capacity), growth_(growth) {
        items_.reserve(capacity);
    }

    std::size_t depth() const { return items_.size(); }
    bool empty() const { return items_.empty(); }
    void clear() { items_.clear(); }

    void push(T item) {
        if (items_.size() == capacity_) {
            if (growth_ == 0)
                throwSSException(SSExceptionId::LifoStackFull);
            capacity_ += growth_;
            items_.reserve(capacity_);
        }
        items_.push_back(std::move(item));
    }

    T pop() {
        if (items_.empty())
            throwSSException(SSExceptionId::LifoCannotPop);
        T item = std::move(items_.back());
        items_.pop_back();
        return item;
    }

    // Pops `count` items at once (the caller has checked the depth).
    void drop(std::size_t count) { items_.resize(items_.size() - count); }

    T& top() {
        if (items_.empty())
            throwSSException(SSExceptionId::LifoNoTop);
        return items_.back();
    }

    // The item `index` places below the top (0 = the top).
    T& fromTop(std::size_t index) {
        if (index >= items_.size())
            throwSSException(SSExceptionId::LifoInvalidIndex);
        return items_[items_.size() - 1 - index];
    }

  private:
    std::vector<T> items_;
    std::size_t capacity_;
    std::size_t growth_;
};

} // namespace quillex
