// CT_Type: the run-time type record of a CT_ class.
//
// A record names its class, points to the record of its base class and
// knows the size of an object. It counts the objects of its class alive, so
// that a test or a leak report can see objects that were never destroyed.
// pv_CastTo answers the object when its class is the asked-for class or
// derives from it, null otherwise.
#pragma once

#include <atomic>
#include <cstddef>

namespace quillex {

class CT_Type {
  public:
    constexpr CT_Type(const char* className, const CT_Type* base, std::size_t objectSize)
        : className_(className), base_(base), objectSize_(objectSize) {}
    CT_Type(const CT_Type&) = delete;
    CT_Type& operator=(const CT_Type&) = delete;

    const char* qccz_GetClassName() const { return className_; }
    const CT_Type* pcco_GetBase() const { return base_; }
    std::size_t n_GetObjectSize() const { return objectSize_; }

    // True when this class is `type` or derives from it.
    bool b_IsKindOf(const CT_Type* type) const;
    // `object` (of this record's class) when that class is or derives from
    // `type`; null otherwise.
    void* pv_CastTo(void* object, const CT_Type* type) const;

    void v_Constructed() const { alive_.fetch_add(1, std::memory_order_relaxed); }
    void v_Destructed() const { alive_.fetch_sub(1, std::memory_order_relaxed); }
    // Objects of exactly this class alive now.
    long n_GetAliveCount() const { return alive_.load(std::memory_order_relaxed); }

  private:
    const char* className_;
    const CT_Type* base_;
    std::size_t objectSize_;
    mutable std::atomic<long> alive_{0};
};

// A member that counts its owner in a type record: every construction,
// copies included, adds one; destruction subtracts one.
class CT_TypeTracking {
  public:
    explicit CT_TypeTracking(const CT_Type* type) : type_(type) { type_->v_Constructed(); }
    CT_TypeTracking(const CT_TypeTracking& other) : type_(other.type_) { type_->v_Constructed(); }
    // The owner's class never changes, so assignment keeps this record.
    CT_TypeTracking& operator=(const CT_TypeTracking&) { return *this; }
    ~CT_TypeTracking() { type_->v_Destructed(); }

  private:
    const CT_Type* type_;
};

} // namespace quillex
