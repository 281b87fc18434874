// SSRefCount: the reference count shared by lexemes and stack elements, and
// SSRefPtr, the holder that takes and releases one reference.
//
// An object leaves its constructor with count 0; every holder takes a
// reference and releases it, and the object is destroyed when the last
// reference goes.
#pragma once

#include <cstdint>
#include <utility>

namespace quillex {

class SSRefCount {
  public:
    SSRefCount() = default;
    SSRefCount(const SSRefCount&) = delete;
    SSRefCount& operator=(const SSRefCount&) = delete;
    virtual ~SSRefCount() = default;

    std::uint32_t refCount() const { return count_; }
    // Not virtual: holders take and drop references several times per token.
    void refInc() { ++count_; }
    // Drops one reference; raises SSRef0001e when the count is already 0.
    // When the count reaches 0 and `free` is true the object is destroyed.
    void refDec(bool free = true) {
        if (count_ == 0)
            countBelowZero();
        if (--count_ == 0 && free)
            refFree();
    }
    // Destroys the object (allocated with new unless a subclass says else).
    virtual void refFree() { delete this; }

  private:
    [[noreturn]] static void countBelowZero();

    std::uint32_t count_ = 0;
};

// Holds one reference to a reference-counted object.
template <class T> class SSRefPtr {
  public:
    SSRefPtr() = default;
    SSRefPtr(std::nullptr_t) {}
    explicit SSRefPtr(T* object) : object_(object) {
        if (object_)
            object_->refInc();
    }
    SSRefPtr(const SSRefPtr& other) : SSRefPtr(other.object_) {}
    SSRefPtr(SSRefPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    template <class U>
    SSRefPtr(const SSRefPtr<U>& other) : SSRefPtr(static_cast<T*>(other.get())) {}
    template <class U> SSRefPtr(SSRefPtr<U>&& other) noexcept : object_(other.release()) {}
    ~SSRefPtr() { reset(); }

    SSRefPtr& operator=(SSRefPtr other) noexcept {
        std::swap(object_, other.object_);
        return *this;
    }

    void reset() noexcept {
        if (T* object = std::exchange(object_, nullptr))
            object->refDec();
    }
    // Gives up the reference without releasing it.
    T* release() noexcept { return std::exchange(object_, nullptr); }

    T* get() const { return object_; }
    T& operator*() const { return *object_; }
    T* operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }

  private:
    T* object_ = nullptr;
};

template <class T, class... Args> SSRefPtr<T> makeSSRef(Args&&... args) {
    return SSRefPtr<T>(new T(std::forward<Args>(args)...));
}

} // namespace quillex
