#pragma once
// The runtime's Variant: a value of one of the runtime's kinds, with the
// conversions the runtime applies between them.
#include <compare>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vb {

// Kinds, numbered as the runtime's VarType reports them.
enum class VarType : int {
    Empty = 0,
    Null = 1,
    Integer = 2,
    Long = 3,
    Single = 4,
    Double = 5,
    Currency = 6,
    Date = 7,
    String = 8,
    Object = 9,
    Boolean = 11,
    Array = 0x2000,  // an array of Variants
};

// Exact money amount: a 64-bit count of ten-thousandths.
struct Currency {
    std::int64_t scaled = 0;  // value * 10000
    static constexpr std::int64_t Scale = 10000;
    static Currency FromScaled(std::int64_t s) { return Currency{s}; }
    // Rounds half to even at the fourth decimal; error 6 when out of range.
    static Currency FromDouble(double d);
    double ToDouble() const { return static_cast<double>(scaled) / Scale; }
    auto operator<=>(const Currency&) const = default;
};

// A date and time: days since 30 December 1899, time as the fraction.
struct Date {
    double serial = 0.0;
    auto operator<=>(const Date&) const = default;
    static Date FromParts(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
    // Splits into parts; returns false when the serial is out of range.
    bool ToParts(int& year, int& month, int& day, int& hour, int& minute, int& second) const;
};

// Base of every object a Variant can hold (forms, controls, recordsets,
// collections, classes of the programs). Members are reachable by name for
// late-bound access; an unknown member raises error 438.
class Variant;
class Object : public std::enable_shared_from_this<Object> {
public:
    virtual ~Object() = default;
    virtual std::string TypeName() const { return "Object"; }
    virtual Variant GetMember(const std::string& name);
    virtual void SetMember(const std::string& name, const Variant& value);
    virtual Variant CallMember(const std::string& name, const std::vector<Variant>& args);
};
using ObjectRef = std::shared_ptr<Object>;

struct SafeArray;
using ArrayRef = std::shared_ptr<SafeArray>;

class Variant {
public:
    Variant() = default;
    Variant(bool b);
    Variant(std::int16_t i);
    Variant(int i);            // Long
    Variant(long i);           // Long; error 6 beyond 32 bits
    Variant(long long i);      // Long; error 6 beyond 32 bits
    Variant(float f);
    Variant(double d);
    Variant(Currency c);
    Variant(Date d);
    Variant(const char* s);
    Variant(std::string s);
    Variant(ObjectRef o);
    Variant(ArrayRef a);

    static Variant Null();
    static Variant Integer(std::int16_t i) { return Variant(i); }
    static Variant Long(std::int32_t i) { return Variant(static_cast<int>(i)); }

    VarType Type() const { return type_; }
    bool IsEmpty() const { return type_ == VarType::Empty; }
    bool IsNull() const { return type_ == VarType::Null; }
    bool IsObject() const { return type_ == VarType::Object; }
    bool IsArray() const { return type_ == VarType::Array; }
    bool IsNumericType() const;  // Integer, Long, Single, Double, Currency, Boolean
    std::string TypeName() const;  // "Integer", "String", ...

    // Conversions as CBool, CInt, CLng, CSng, CDbl, CCur, CDate, CStr do them:
    // rounding half to even, error 6 on overflow, error 13 on a mismatch,
    // error 94 when Null is converted.
    bool ToBool() const;
    std::int16_t ToInteger() const;
    std::int32_t ToLong() const;
    float ToSingle() const;
    double ToDouble() const;
    Currency ToCurrency() const;
    Date ToDate() const;
    std::string ToString() const&;
    // A text value moves out of a temporary Variant instead of being copied.
    std::string ToString() &&;
    ObjectRef ToObject() const;  // error 13 when not an object (Nothing is an empty ref)
    ArrayRef ToArray() const;    // error 13 when not an array

    // Raw access without conversion (the caller has checked Type()).
    bool rawBool() const { return b_; }
    std::int64_t rawInt() const { return i_; }
    double rawDouble() const { return d_; }
    const std::string& rawString() const { return s_; }

private:
    VarType type_ = VarType::Empty;
    bool b_ = false;
    std::int64_t i_ = 0;  // Integer, Long, Currency (scaled)
    double d_ = 0.0;      // Single, Double, Date
    std::string s_;
    ObjectRef o_;
    ArrayRef a_;
};

// An array of Variants with one or more dimensions, each with its own lower
// bound. Element (i0, i1, ...) is stored with the first index varying fastest.
struct SafeArray {
    struct Bound { std::int32_t lower = 0; std::int32_t count = 0; };
    std::vector<Bound> bounds;
    std::vector<Variant> data;

    SafeArray() = default;
    explicit SafeArray(std::vector<Bound> b);
    int Dims() const { return static_cast<int>(bounds.size()); }
    std::int32_t LBound(int dim = 1) const;  // dim is 1-based; error 9 when out of range
    std::int32_t UBound(int dim = 1) const;
    Variant& At(const std::vector<std::int32_t>& index);  // error 9 when out of range
    const Variant& At(const std::vector<std::int32_t>& index) const;
};

// Rounds half to even (banker's rounding), as the runtime's conversions do.
double RoundHalfEven(double d);

// How texts compare: by character code, or ignoring case.
enum class CompareMethod : int { Binary = 0, Text = 1 };

// Comparison as the runtime's = and < do for two values of simple kinds:
// two texts compare as texts (Empty counts as ""), a Date against a text or
// number compares as dates, anything else as numbers (a text that is no
// number: error 13). Returns -1, 0, 1; error 94 when either is Null.
int Compare(const Variant& a, const Variant& b);
int Compare(const Variant& a, const Variant& b, CompareMethod method);
bool operator==(const Variant& a, const Variant& b);
std::weak_ordering operator<=>(const Variant& a, const Variant& b);

}  // namespace vb
