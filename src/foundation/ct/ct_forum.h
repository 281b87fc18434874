// CT_Forum: a speaker that tells its listeners about events.
//
// Listeners hear messages in the order they were added. vn_Speak stops at
// the first listener that answers non-zero and returns that answer, so a
// listener can claim a message or veto it.
#pragma once

#include "foundation/ct/ct_void_array.h"

#include <cstddef>

namespace quillex {

class CT_Forum;

class CT_Listener {
  public:
    virtual ~CT_Listener() = default;
    // Hears `message` from `forum`; vn_Speak stops at a non-zero answer.
    virtual int vn_Update(CT_Forum& forum, int message, void* argument) = 0;
};

class CT_Forum {
  public:
    CT_Forum();
    virtual ~CT_Forum() = default;

    // A listener is added once; adding it again changes nothing.
    virtual void vv_AddListener(CT_Listener* listener);
    virtual void vv_RemoveListener(CT_Listener* listener);
    // Sends `message` to `target` only, or to every listener when `target`
    // is null.
    virtual void vv_Speak(CT_Listener* target, int message, void* argument = nullptr);
    // The same, stopping at and returning the first non-zero answer.
    virtual int vn_Speak(CT_Listener* target, int message, void* argument = nullptr);

    std::size_t n_GetListenerCount() const { return listeners_.n_GetSize(); }

  private:
    CT_VoidArray listeners_;
};

} // namespace quillex
