// CT_Forum: the listener list and speaking to it.
#include "foundation/ct/ct_forum.h"

namespace quillex {

CT_Forum::CT_Forum() : listeners_(sizeof(CT_Listener*)) {}

void CT_Forum::vv_AddListener(CT_Listener* listener) {
    if (listener != nullptr && listeners_.n_Find(&listener) == 0)
        listeners_.v_Insert(&listener);
}

void CT_Forum::vv_RemoveListener(CT_Listener* listener) {
    listeners_.b_Remove(&listener);
}

void CT_Forum::vv_Speak(CT_Listener* target, int message, void* argument) {
    if (target != nullptr) {
        target->vn_Update(*this, message, argument);
        return;
    }
    // A snapshot (the array shares its buffer), so that listeners may add or
    // remove listeners while they hear.
    const CT_VoidArray listeners = listeners_;
    for (std::size_t position = 1; position <= listeners.n_GetSize(); ++position) {
        CT_Listener* listener = nullptr;
        listeners.v_GetAt(position, &listener);
        listener->vn_Update(*this, message, argument);
    }
}

int CT_Forum::vn_Speak(CT_Listener* target, int message, void* argument) {
    if (target != nullptr)
        return target->vn_Update(*this, message, argument);
    const CT_VoidArray listeners = listeners_;
    for (std::size_t position = 1; position <= listeners.n_GetSize(); ++position) {
        CT_Listener* listener = nullptr;
        listeners.v_GetAt(position, &listener);
        if (const int answer = listener->vn_Update(*this, message, argument); answer != 0)
            return answer;
    }
    return 0;
}

} // namespace quillex
