// SSYaccStack: the parser's state stack, its elements held by value in one
// contiguous block that grows to the deepest nesting once and is reused.
//
// The element type is the application's (SSYaccStackElement or a class
// derived from it); SSYaccStackOf<Element> holds elements of one type and
// the engine reaches them through their SSYaccStackElement part, which sits
// at the same place in every element, one element size apart. A new element
// is built in place just above the top (fresh()) while the elements below
// stay where they are, then takes its place on the stack (replaceTop()).
#pragma once

#include "parser/ss_exception.h"
#include "parser/ss_yacc_stack_element.h"

#include <cstddef>
#include <memory>
#include <typeinfo>
#include <vector>

namespace quillex {

class SSYaccStack {
  public:
    SSYaccStack() = default;
    SSYaccStack(const SSYaccStack&) = delete;
    SSYaccStack& operator=(const SSYaccStack&) = delete;
    virtual ~SSYaccStack() = default;

    std::size_t depth() const { return depth_; }
    // Element `index` from the bottom (0), without a check.
    SSYaccStackElement& at(std::size_t index) const {
        return *reinterpret_cast<SSYaccStackElement*>(base_ + index * stride_);
    }
    // The element `index` places below the top (0 = the top); SSLifo0003e
    // when the stack is not that deep.
    SSYaccStackElement& fromTop(std::size_t index) const {
        if (index >= depth_)
            throwSSException(SSExceptionId::LifoInvalidIndex);
        return at(depth_ - 1 - index);
    }
    // SSLifo0002e when the stack is empty.
    SSYaccStackElement& top() const {
        if (depth_ == 0)
            throwSSException(SSExceptionId::LifoNoTop);
        return at(depth_ - 1);
    }

    // A new default element just above the top, not on the stack yet; the
    // one fresh() gave before, if it did not take its place, is replaced.
    // References to stacked elements stay valid until the next fresh().
    virtual SSYaccStackElement& fresh() = 0;
    // Drops `count` elements from the top (the caller has checked the
    // depth) and puts the fresh element in their place.
    virtual void replaceTop(std::size_t count) = 0;
    // Drops elements, the fresh one with them, down to `depth`.
    virtual void truncate(std::size_t depth) = 0;
    // A copy of the stack, for error recovery to go back to, and the going
    // back: the stack takes the copy's elements (the stack object stays, as
    // the parse loop holds it).
    virtual std::unique_ptr<SSYaccStack> clone() const = 0;
    virtual void restoreFrom(const SSYaccStack& copy) = 0;
    // The type of the elements.
    virtual const std::type_info& elementType() const = 0;

  protected:
    // Where element 0's SSYaccStackElement part is, and the element size.
    void attach(SSYaccStackElement* first, std::size_t stride) {
        base_ = reinterpret_cast<std::byte*>(first);
        stride_ = stride;
    }

    std::size_t depth_ = 0;

  private:
    std::byte* base_ = nullptr;
    std::size_t stride_ = 0;
};

template <class Element> class SSYaccStackOf final : public SSYaccStack {
  public:
    // Room for this many elements from the start; more grows the block.
    static constexpr std::size_t initialCapacity = 64;

    SSYaccStackOf() { elements_.reserve(initialCapacity); }

    SSYaccStackElement& fresh() override {
        elements_.resize(depth_);
        elements_.emplace_back();
        attach(elements_.data(), sizeof(Element));
        return elements_.back();
    }
    void replaceTop(std::size_t count) override {
        if (count != 0) {
            elements_[depth_ - count] = std::move(elements_[depth_]);
            elements_.resize(depth_ - count + 1);
        }
        depth_ = depth_ - count + 1;
    }
    void truncate(std::size_t depth) override {
        if (depth < elements_.size())
            elements_.resize(depth);
        if (depth < depth_)
            depth_ = depth;
    }
    std::unique_ptr<SSYaccStack> clone() const override {
        auto copy = std::make_unique<SSYaccStackOf>();
        copy->elements_.assign(elements_.begin(), elements_.begin() + depth_);
        copy->depth_ = depth_;
        copy->attach(copy->elements_.data(), sizeof(Element));
        return copy;
    }
    void restoreFrom(const SSYaccStack& copy) override {
        const auto& same = static_cast<const SSYaccStackOf&>(copy);
        elements_.assign(same.elements_.begin(), same.elements_.begin() + same.depth_);
        depth_ = same.depth_;
        attach(elements_.data(), sizeof(Element));
    }
    const std::type_info& elementType() const override { return typeid(Element); }

    // The element as its own type.
    Element& element(std::size_t index) { return elements_[index]; }

  private:
    std::vector<Element> elements_;
};

} // namespace quillex
