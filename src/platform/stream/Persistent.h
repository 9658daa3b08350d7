#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <type_traits>
#include <vector>

namespace zov {

class TFiler;
class TPersistent;

enum class TPropertyType : uint8_t {
    Integer,     // 32-bit; optionally with named values (colours, character sets)
    Enumeration, // ordinal, written as its name
    Boolean,
    Set,    // bit n for element n, written as element names
    String, // written when not empty
    Object, // a persistent sub-object whose properties are written under "Name."
};

// One published property of a persistent class: how to read it, set it, and
// whether it is written. Writer and reader both work from these descriptions.
struct TPropertyInfo {
    QString Name;
    TPropertyType Type = TPropertyType::Integer;
    // Element names of an enumeration or set, by ordinal.
    std::span<const char* const> ElementNames;
    // Named values of an integer property.
    std::optional<QString> (*IntToIdent)(int32_t) = nullptr;
    std::optional<int32_t> (*IdentToInt)(const QString&) = nullptr;
    // The value not written (ordinal, set bits, integer or boolean); none: always written.
    std::optional<int64_t> Default;
    // False: never written (the property may still be read).
    std::function<bool(const TPersistent&)> Stored;

    std::function<int64_t(const TPersistent&)> GetOrdinal;
    std::function<void(TPersistent&, int64_t)> SetOrdinal;
    std::function<QString(const TPersistent&)> GetString;
    std::function<void(TPersistent&, const QString&)> SetString;
    std::function<TPersistent*(TPersistent&)> GetObject;
    // What a sub-object does when the stream sets it to nil; none: nil is refused.
    std::function<void(TPersistent&)> SetNil;
};

using TPropertyList = std::vector<TPropertyInfo>;

// An object with published properties that the component stream can write and read.
class TPersistent {
public:
    virtual ~TPersistent() = default;

    // The published properties in writing order: those of the base class first.
    virtual const TPropertyList& Properties() const = 0;

    // Declares the properties the object writes and reads itself, after the published
    // ones. The default declares none.
    virtual void DefineProperties(TFiler& filer);

    const TPropertyInfo* FindProperty(const QString& name) const;
};

// Builds the property list of class C, starting from its base class's list. Getters
// and setters are member functions (or anything std::invoke accepts) of C.
template <class C> class TPropertyListBuilder {
public:
    explicit TPropertyListBuilder(TPropertyList base = {}) : fList(std::move(base)) {}

    template <typename G, typename S>
    TPropertyListBuilder& Integer(const char* name, G get, S set,
                                  std::optional<int64_t> def = std::nullopt) {
        TPropertyInfo& p = Add(name, TPropertyType::Integer);
        p.Default = def;
        Ordinal<int32_t>(p, get, set);
        return *this;
    }

    template <typename G, typename S>
    TPropertyListBuilder& NamedInteger(const char* name, G get, S set,
                                       std::optional<QString> (*toIdent)(int32_t),
                                       std::optional<int32_t> (*toInt)(const QString&),
                                       std::optional<int64_t> def = std::nullopt) {
        TPropertyInfo& p = Add(name, TPropertyType::Integer);
        p.Default = def;
        p.IntToIdent = toIdent;
        p.IdentToInt = toInt;
        Ordinal<int32_t>(p, get, set);
        return *this;
    }

    template <typename E, typename G, typename S>
    TPropertyListBuilder& Enumeration(const char* name, G get, S set,
                                      std::span<const char* const> names,
                                      std::optional<E> def = std::nullopt) {
        TPropertyInfo& p = Add(name, TPropertyType::Enumeration);
        p.ElementNames = names;
        if (def) {
            p.Default = static_cast<int64_t>(*def);
        }
        Ordinal<E>(p, get, set);
        return *this;
    }

    template <typename G, typename S>
    TPropertyListBuilder& Boolean(const char* name, G get, S set,
                                  std::optional<bool> def = std::nullopt) {
        TPropertyInfo& p = Add(name, TPropertyType::Boolean);
        if (def) {
            p.Default = *def ? 1 : 0;
        }
        Ordinal<bool>(p, get, set);
        return *this;
    }

    // TS is a TSet; its bits are the stored ordinal.
    template <typename TS, typename G, typename S>
    TPropertyListBuilder& Set(const char* name, G get, S set, std::span<const char* const> names,
                              std::optional<TS> def = std::nullopt) {
        TPropertyInfo& p = Add(name, TPropertyType::Set);
        p.ElementNames = names;
        if (def) {
            p.Default = static_cast<int64_t>(def->ToBits());
        }
        p.GetOrdinal = [get](const TPersistent& o) -> int64_t {
            return static_cast<int64_t>(std::invoke(get, Self(o)).ToBits());
        };
        p.SetOrdinal = [set](TPersistent& o, int64_t v) {
            using Bits = decltype(TS().ToBits());
            std::invoke(set, Self(o), TS::FromBits(static_cast<Bits>(v)));
        };
        return *this;
    }

    template <typename G, typename S> TPropertyListBuilder& String(const char* name, G get, S set) {
        TPropertyInfo& p = Add(name, TPropertyType::String);
        p.GetString = [get](const TPersistent& o) {
            return QString(std::invoke(get, Self(o)));
        };
        p.SetString = [set](TPersistent& o, const QString& v) {
            std::invoke(set, Self(o), v);
        };
        return *this;
    }

    // get returns a reference or pointer to the sub-object, which must be a TPersistent.
    template <typename G> TPropertyListBuilder& Object(const char* name, G get) {
        TPropertyInfo& p = Add(name, TPropertyType::Object);
        p.GetObject = [get](TPersistent& o) -> TPersistent* {
            decltype(auto) sub = std::invoke(get, Self(o));
            if constexpr (std::is_pointer_v<std::remove_reference_t<decltype(sub)>>) {
                return sub;
            } else {
                return &sub;
            }
        };
        return *this;
    }

    // Lets the sub-object property just added accept nil from a stream.
    template <typename N> TPropertyListBuilder& OnNil(N clear) {
        fList.back().SetNil = [clear](TPersistent& o) {
            std::invoke(clear, Self(o));
        };
        return *this;
    }

    // Makes the property just added written only when the predicate holds.
    template <typename P> TPropertyListBuilder& StoredWhen(P predicate) {
        fList.back().Stored = [predicate](const TPersistent& o) {
            return std::invoke(predicate, Self(o));
        };
        return *this;
    }

    TPropertyListBuilder& NeverStored() {
        fList.back().Stored = [](const TPersistent&) {
            return false;
        };
        return *this;
    }

    TPropertyList Build() { return std::move(fList); }

private:
    static C& Self(TPersistent& o) { return static_cast<C&>(o); }
    static const C& Self(const TPersistent& o) { return static_cast<const C&>(o); }

    TPropertyInfo& Add(const char* name, TPropertyType type) {
        TPropertyInfo& p = fList.emplace_back();
        p.Name = QString::fromLatin1(name);
        p.Type = type;
        return p;
    }

    template <typename V, typename G, typename S>
    static void Ordinal(TPropertyInfo& p, G get, S set) {
        // Through V first: an unsigned 32-bit value is stored as its signed pattern.
        p.GetOrdinal = [get](const TPersistent& o) {
            return static_cast<int64_t>(static_cast<V>(std::invoke(get, Self(o))));
        };
        p.SetOrdinal = [set](TPersistent& o, int64_t v) {
            std::invoke(set, Self(o), static_cast<V>(v));
        };
    }

    TPropertyList fList;
};

} // namespace zov
