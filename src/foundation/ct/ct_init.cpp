// CT_Init and CT_Exit: running the hooks.
#include "foundation/ct/ct_init.h"

namespace quillex {

CT_Init::CT_Init(CT_HookFunction function) {
    if (function != nullptr)
        function();
}

CT_Init::CT_Init(const char* /*className*/, const char* /*functionName*/, CT_HookFunction function)
    : CT_Init(function) {}

CT_Exit::CT_Exit(const char* /*className*/, const char* /*functionName*/, CT_HookFunction function)
    : function_(function) {}

CT_Exit::~CT_Exit() {
    if (function_ != nullptr)
        function_();
}

} // namespace quillex
