// CT_Type: walking the chain of base records.
#include "foundation/ct/ct_type.h"

namespace quillex {

bool CT_Type::b_IsKindOf(const CT_Type* type) const {
    for (const CT_Type* t = this; t != nullptr; t = t->base_)
        if (t == type)
            return true;
    return false;
}

void* CT_Type::pv_CastTo(void* object, const CT_Type* type) const {
    return b_IsKindOf(type) ? object : nullptr;
}

} // namespace quillex
