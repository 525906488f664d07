// A non-owning reference to a callable: one indirect call, no allocation. The referenced callable
// must outlive the reference (pass lambdas straight into the call that uses them).
#pragma once

#include <type_traits>
#include <utility>

namespace host {

template <typename Signature> class FunctionRef;

template <typename R, typename... Args> class FunctionRef<R(Args...)> {
public:
    template <typename F>
    requires(!std::is_same_v<std::remove_cvref_t<F>, FunctionRef> &&
             std::is_invocable_r_v<R, F&, Args...>)
        FunctionRef(F&& f) // NOLINT(google-explicit-constructor): used like a function parameter
        : object_(const_cast<void*>(static_cast<const void*>(&f))),
          call_([](void* object, Args... args) -> R {
              return (*static_cast<std::remove_reference_t<F>*>(object))(
                  std::forward<Args>(args)...);
          }) {}

    R operator()(Args... args) const { return call_(object_, std::forward<Args>(args)...); }

private:
    void* object_;
    R (*call_)(void*, Args...);
};

} // namespace host
