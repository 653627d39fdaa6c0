#pragma once

#include "platform/base/Component.h"

#include <any>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>
#include <vector>

// Published classes, properties and methods: what a form description may name.

// One value as written in a form description.
struct TValue {
    enum TKind : std::uint8_t { vaInt, vaIdent, vaString, vaSet };
    TKind Kind = vaInt;
    long long Int = 0;             // vaInt
    AnsiString Text;               // vaIdent (the identifier), vaString (the text, UTF-8)
    std::vector<AnsiString> Items; // vaSet: the identifiers in brackets

    static TValue Integer(long long V) { return {vaInt, V, {}, {}}; }
    static TValue Ident(AnsiString V) { return {vaIdent, 0, std::move(V), {}}; }
    static TValue String(AnsiString V) { return {vaString, 0, std::move(V), {}}; }
    static TValue Set(std::vector<AnsiString> V) { return {vaSet, 0, {}, std::move(V)}; }
    bool operator==(const TValue&) const = default;
};

// The element names of an enumeration (or of a set's elements), in value order or with
// explicit values.
struct TEnumInfo {
    std::vector<std::pair<AnsiString, int>> Elements;
    std::optional<int> Find(const AnsiString& Name) const;
    AnsiString NameOf(int Value) const;
};

// Identifiers that stand for numbers wherever a number is expected ("clWhite", "clBtnFace");
// each layer registers its own at start (see RegisterIdents).
void RegisterIdents(const std::vector<std::pair<AnsiString, long long>>& Idents);
std::optional<long long> FindIdent(const AnsiString& Name);
AnsiString IdentOf(long long Value, const AnsiString& Prefix); // "" when none

class TReader;

struct TPropInfo {
    AnsiString Name;
    // Sets the property from a value; throws EReadError (through TReader) on a bad value.
    std::function<void(TObject*, const TValue&, TReader&)> Write;
    // Reads the property as a value (for defaults, writers and tests); may be empty.
    std::function<TValue(TObject*)> Read;
    // For properties holding an object (Font, Shadow): the object, so that dotted names
    // ("Font.Name") reach its own properties.
    std::function<TPersistent*(TObject*)> Object;
    // The declared default: a stored description omits the property when it has this value.
    std::optional<TValue> Default;

    // Whether a stored description holds the property of Instance: a value property that has
    // no declared default, or whose value differs from it.
    bool IsStored(TObject* Instance) const;
};

// A published field of a form class: after a description is read it points at the component
// of its name.
struct TFieldInfo {
    AnsiString Name;
    // Points the field of Instance at Component; false when Component is of another class.
    std::function<bool(TObject* Instance, TComponent* Component)> Bind;
};

struct TClassInfo {
    AnsiString Name;
    const TClassInfo* Parent = nullptr;
    // Creates an instance owned by Owner; empty for classes that are not components.
    std::function<TComponent*(TComponent* Owner)> Create;
    std::vector<TPropInfo> Properties; // own properties, in streaming order
    std::vector<std::pair<AnsiString, std::function<std::any(TObject*)>>> Methods;
    std::vector<TFieldInfo> Fields;

    // Names are compared ignoring the case of ASCII letters, as identifiers of descriptions
    // are. Searches this class, then its parents.
    const TPropInfo* FindProperty(const AnsiString& Name) const;
    const TFieldInfo* FindField(const AnsiString& Name) const;
    // Inherited properties first, then own: the streaming order.
    std::vector<const TPropInfo*> AllProperties() const;
    // A published method bound to Instance, as a std::function of its signature; empty any
    // when there is none of that name.
    std::any Method(TObject* Instance, const AnsiString& Name) const;
};

class TClassRegistry {
public:
    static TClassRegistry& Instance();
    // Classes are registered once; registering a name again replaces nothing and returns the
    // existing entry. A parent must be registered first (EInvalidOperation otherwise).
    TClassInfo& Add(const AnsiString& Name, const AnsiString& ParentName);
    // By name, ignoring the case of ASCII letters; null when not registered.
    const TClassInfo* Find(const AnsiString& Name) const;

private:
    std::vector<std::unique_ptr<TClassInfo>> FClasses;
};

// Conversions of values to property types; each throws EReadError through the reader.
template <class T, class Enable = void> struct TValueTraits;

template <> struct TValueTraits<bool> {
    static bool From(const TValue& V, TReader& R);
    static TValue To(bool V) { return TValue::Ident(V ? "True" : "False"); }
};
template <> struct TValueTraits<AnsiString> {
    static AnsiString From(const TValue& V, TReader& R);
    static TValue To(const AnsiString& V) { return TValue::String(V); }
};
long long IntegerFromValue(const TValue& V, TReader& R);
// Throws EReadError naming the value as written.
[[noreturn]] void BadValue(const TValue& V, TReader& R);
long long EnumFromValue(const TValue& V, const TEnumInfo& Info, bool IsSet, TReader& R);
TValue EnumToValue(long long Value, const TEnumInfo& Info, bool IsSet);
// The published method of the form being read that an event value names.
std::any MethodFromValue(const TValue& V, TReader& R);
[[noreturn]] void BadEventValue(const TValue& V, TReader& R);
// A reference to a component of the form by its name (or nil), resolved once the whole
// description is read, since it may name a component described further down. Apply gets the
// component (null for nil) and answers false when it is of the wrong class.
void ReferenceFromValue(const TValue& V, TReader& R, std::function<bool(TComponent*)> Apply);
template <class T>
struct TValueTraits<T, std::enable_if_t<std::is_integral_v<T> && !std::is_same_v<T, bool>>> {
    // A number that fits the type or its signed or unsigned twin ($FFFFFFFF for an int is
    // -1); anything larger is refused rather than cut.
    static T From(const TValue& V, TReader& R) {
        long long v = IntegerFromValue(V, R);
        if (!std::in_range<T>(v) && !std::in_range<std::make_signed_t<T>>(v) &&
            !std::in_range<std::make_unsigned_t<T>>(v))
            BadValue(V, R);
        return static_cast<T>(v);
    }
    static TValue To(T V) { return TValue::Integer(static_cast<long long>(V)); }
};

// Builds one class's entry: RegisterClass<TShape, TGraphicControl>("TShape").Property(...).
template <class T> class TClassBuilder {
public:
    explicit TClassBuilder(TClassInfo& Info) : FInfo(Info) {}

    // A simple property through its getter and setter, without a declared default.
    template <class V = void, class G, class S>
    TClassBuilder& Property(const AnsiString& Name, G (T::*Get)() const, void (T::*Set)(S)) {
        return Property(Name, Get, Set, std::optional<std::remove_cvref_t<G>>());
    }
    // The same with its declared default (a value of the property's type or one that
    // converts to it).
    template <class V, class G, class S>
    TClassBuilder& Property(const AnsiString& Name, G (T::*Get)() const, void (T::*Set)(S),
                            const V& Default) {
        using Plain = std::remove_cvref_t<G>;
        return Property(Name, Get, Set, std::optional<Plain>(Plain(Default)));
    }
    template <class V, class G, class S>
    TClassBuilder& Property(const AnsiString& Name, G (T::*Get)() const, void (T::*Set)(S),
                            std::optional<V> Default) {
        using Plain = std::remove_cvref_t<G>;
        TPropInfo p;
        p.Name = Name;
        p.Write = [Set](TObject* o, const TValue& v, TReader& r) {
            (static_cast<T*>(o)->*Set)(TValueTraits<Plain>::From(v, r));
        };
        p.Read = [Get](TObject* o) {
            return TValueTraits<Plain>::To((static_cast<T*>(o)->*Get)());
        };
        if (Default)
            p.Default = TValueTraits<Plain>::To(static_cast<Plain>(*Default));
        Put(std::move(p));
        return *this;
    }

    // An enumeration stored as an identifier of Info, or (IsSet) a set of them stored as
    // bits (1 << element value). Info must live as long as the registry (a static).
    template <class E, class S>
    TClassBuilder&
    Enum(const AnsiString& Name, E (T::*Get)() const, void (T::*Set)(S), const TEnumInfo& Info,
         std::optional<std::type_identity_t<E>> Default = std::nullopt, bool IsSet = false) {
        TPropInfo p;
        p.Name = Name;
        p.Write = [Set, &Info, IsSet](TObject* o, const TValue& v, TReader& r) {
            (static_cast<T*>(o)->*Set)(static_cast<E>(EnumFromValue(v, Info, IsSet, r)));
        };
        p.Read = [Get, &Info, IsSet](TObject* o) {
            return EnumToValue(static_cast<long long>((static_cast<T*>(o)->*Get)()), Info, IsSet);
        };
        if (Default)
            p.Default = EnumToValue(static_cast<long long>(*Default), Info, IsSet);
        Put(std::move(p));
        return *this;
    }

    // A property holding an object whose own properties are set through dotted names or
    // copied by the setter.
    template <class O> TClassBuilder& Object(const AnsiString& Name, O* (T::*Get)() const) {
        TPropInfo p;
        p.Name = Name;
        p.Object = [Get](TObject* o) -> TPersistent* {
            return (static_cast<T*>(o)->*Get)();
        };
        Put(std::move(p));
        return *this;
    }

    // A reference to another component of the form, written as its name (PopupMenu =
    // PopupMenu1); the component must be of class C.
    template <class C>
    TClassBuilder& Reference(const AnsiString& Name, C* (T::*Get)() const, void (T::*Set)(C*)) {
        TPropInfo p;
        p.Name = Name;
        p.Write = [Set](TObject* o, const TValue& v, TReader& r) {
            ReferenceFromValue(v, r, [o, Set](TComponent* c) {
                C* target = dynamic_cast<C*>(c);
                if (c != nullptr && target == nullptr)
                    return false;
                (static_cast<T*>(o)->*Set)(target);
                return true;
            });
        };
        p.Read = [Get](TObject* o) {
            C* c = (static_cast<T*>(o)->*Get)();
            return TValue::Ident(c != nullptr ? c->Name() : AnsiString("nil"));
        };
        p.Default = TValue::Ident("nil");
        Put(std::move(p));
        return *this;
    }

    // An event bound by a method name of the form being read; the method's signature must
    // be the event's.
    template <class F> TClassBuilder& Event(const AnsiString& Name, void (T::*Set)(F)) {
        using Fn = std::remove_cvref_t<F>;
        TPropInfo p;
        p.Name = Name;
        p.Write = [Set](TObject* o, const TValue& v, TReader& r) {
            std::any m = MethodFromValue(v, r);
            const Fn* fn = std::any_cast<Fn>(&m);
            if (fn == nullptr)
                BadEventValue(v, r);
            (static_cast<T*>(o)->*Set)(*fn);
        };
        Put(std::move(p));
        return *this;
    }

    // A published method of the class, named for form descriptions.
    template <class R, class... A> TClassBuilder& Method(const AnsiString& Name, R (T::*M)(A...)) {
        auto bind = [M](TObject* o) -> std::any {
            T* self = static_cast<T*>(o);
            return std::function<R(A...)>(
                [self, M](A... a) -> R { return (self->*M)(std::forward<A>(a)...); });
        };
        for (auto& m : FInfo.Methods)
            if (m.first == Name) {
                m.second = bind;
                return *this;
            }
        FInfo.Methods.emplace_back(Name, bind);
        return *this;
    }

    // A published field of the form class (Image1), pointed at the component of that name
    // when a description is read; the component must be of class C.
    template <class C> TClassBuilder& Field(const AnsiString& Name, C* T::*Member) {
        TFieldInfo f;
        f.Name = Name;
        f.Bind = [Member](TObject* o, TComponent* c) {
            C* target = dynamic_cast<C*>(c);
            if (target == nullptr)
                return false;
            static_cast<T*>(o)->*Member = target;
            return true;
        };
        for (auto& existing : FInfo.Fields)
            if (existing.Name == Name) {
                existing = std::move(f);
                return *this;
            }
        FInfo.Fields.push_back(std::move(f));
        return *this;
    }

    // Anything else: a property with hand-written conversions.
    TClassBuilder& Custom(TPropInfo Info) {
        Put(std::move(Info));
        return *this;
    }

private:
    // Registering a class again (an idempotent registration function) replaces its entries
    // instead of repeating them.
    void Put(TPropInfo Info) {
        for (auto& p : FInfo.Properties)
            if (p.Name == Info.Name) {
                p = std::move(Info);
                return;
            }
        FInfo.Properties.push_back(std::move(Info));
    }

    TClassInfo& FInfo;
};

// Registers T under Name with its parent class (registered before it, or "" for none).
// Components get a factory, so descriptions can create them.
template <class T>
TClassBuilder<T> RegisterClass(const AnsiString& Name, const AnsiString& ParentName) {
    TClassInfo& info = TClassRegistry::Instance().Add(Name, ParentName);
    if constexpr (std::is_base_of_v<TComponent, T> && std::is_constructible_v<T, TComponent*>)
        info.Create = [](TComponent* Owner) -> TComponent* {
            return new T(Owner);
        };
    return TClassBuilder<T>(info);
}
