// A method reference: a plain function that takes the object first, plus the
// object. Made from a member function by a template, so it is type-safe where
// it is bound, costs one indirect call and never allocates.
#pragma once

template <class Method> struct MethodTraits;
template <class C, class R, class... A> struct MethodTraits<R (C::*)(A...)> { using Class = C; };

template <class... Args> struct TMethod {
    void (*proc)(void* self, Args...) = nullptr;
    void* self = nullptr;

    explicit operator bool() const { return proc != nullptr; }
    // An empty reference is skipped.
    void operator()(Args... args) const {
        if (proc)
            proc(self, args...);
    }
    friend bool operator==(const TMethod&, const TMethod&) = default;
};

template <auto Method, class... Args>
TMethod<Args...> bindMethod(typename MethodTraits<decltype(Method)>::Class* object) {
    using C = typename MethodTraits<decltype(Method)>::Class;
    return {[](void* self, Args... args) { (static_cast<C*>(self)->*Method)(args...); }, object};
}
