// CT_Init and CT_Exit: start-up and shut-down hooks as static objects.
//
// A static CT_Init runs its function while static objects are constructed,
// before main; a static CT_Exit keeps its function and runs it when static
// objects are destroyed, after main. The class and function names are
// descriptive only (they say in a debugger what the hook is for).
#pragma once

namespace quillex {

using CT_HookFunction = void (*)();

class CT_Init {
  public:
    explicit CT_Init(CT_HookFunction function);
    CT_Init(const char* className, const char* functionName, CT_HookFunction function);
};

class CT_Exit {
  public:
    CT_Exit(const char* className, const char* functionName, CT_HookFunction function);
    CT_Exit(const CT_Exit&) = delete;
    CT_Exit& operator=(const CT_Exit&) = delete;
    ~CT_Exit();

  private:
    CT_HookFunction function_;
};

} // namespace quillex
