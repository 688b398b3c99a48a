#include "variant.h"

#include <cmath>
#include <limits>

#include "err.h"
#include "text_forms.h"
#include "utf8.h"

namespace vb {

double RoundHalfEven(double d) {
    if (!std::isfinite(d)) return d;
    double fl = std::floor(d);
    double diff = d - fl;
    if (diff > 0.5) return fl + 1.0;
    if (diff < 0.5) return fl;
    return std::fmod(fl, 2.0) == 0.0 ? fl : fl + 1.0;
}

Currency Currency::FromDouble(double d) {
    double s = RoundHalfEven(d * Scale);
    if (!std::isfinite(s) || s >= 9.2233720368547758e18 || s < -9.2233720368547758e18) RaiseError(errors::Overflow);
    return Currency{static_cast<std::int64_t>(s)};
}

// --- Object -----------------------------------------------------------------

Variant Object::GetMember(const std::string&) { RaiseError(errors::MemberNotSupported); }
void Object::SetMember(const std::string&, const Variant&) { RaiseError(errors::MemberNotSupported); }
Variant Object::CallMember(const std::string&, const std::vector<Variant>&) { RaiseError(errors::MemberNotSupported); }

// --- construction -----------------------------------------------------------

Variant::Variant(bool b) : type_(VarType::Boolean), b_(b) {}
Variant::Variant(std::int16_t i) : type_(VarType::Integer), i_(i) {}
Variant::Variant(int i) : type_(VarType::Long), i_(i) {}
Variant::Variant(long i) : Variant(static_cast<long long>(i)) {}
Variant::Variant(long long i) : type_(VarType::Long), i_(i) {
    if (i < std::numeric_limits<std::int32_t>::min() || i > std::numeric_limits<std::int32_t>::max())
        RaiseError(errors::Overflow);
}
Variant::Variant(float f) : type_(VarType::Single), d_(f) {}
Variant::Variant(double d) : type_(VarType::Double), d_(d) {}
Variant::Variant(Currency c) : type_(VarType::Currency), i_(c.scaled) {}
Variant::Variant(Date d) : type_(VarType::Date), d_(d.serial) {}
Variant::Variant(const char* s) : type_(VarType::String), s_(s ? s : "") {}
Variant::Variant(std::string s) : type_(VarType::String), s_(std::move(s)) {}
Variant::Variant(ObjectRef o) : type_(VarType::Object), o_(std::move(o)) {}
Variant::Variant(ArrayRef a) : type_(VarType::Array), a_(std::move(a)) {}

Variant Variant::Null() {
    Variant v;
    v.type_ = VarType::Null;
    return v;
}

bool Variant::IsNumericType() const {
    switch (type_) {
    case VarType::Integer: case VarType::Long: case VarType::Single:
    case VarType::Double: case VarType::Currency: case VarType::Boolean:
        return true;
    default:
        return false;
    }
}

std::string Variant::TypeName() const {
    switch (type_) {
    case VarType::Empty: return "Empty";
    case VarType::Null: return "Null";
    case VarType::Integer: return "Integer";
    case VarType::Long: return "Long";
    case VarType::Single: return "Single";
    case VarType::Double: return "Double";
    case VarType::Currency: return "Currency";
    case VarType::Date: return "Date";
    case VarType::String: return "String";
    case VarType::Object: return o_ ? o_->TypeName() : "Nothing";
    case VarType::Boolean: return "Boolean";
    case VarType::Array: return "Variant()";
    }
    return "Unknown";
}

// --- conversions ------------------------------------------------------------

double Variant::ToDouble() const {
    switch (type_) {
    case VarType::Empty: return 0.0;
    case VarType::Null: RaiseError(errors::InvalidUseOfNull);
    case VarType::Boolean: return b_ ? -1.0 : 0.0;
    case VarType::Integer: case VarType::Long: return static_cast<double>(i_);
    case VarType::Currency: return Currency{i_}.ToDouble();
    case VarType::Single: case VarType::Double: case VarType::Date: return d_;
    case VarType::String: {
        double d = 0;
        if (!ParseNumberText(s_, d)) RaiseError(errors::TypeMismatch);
        if (!std::isfinite(d)) RaiseError(errors::Overflow);
        return d;
    }
    default: RaiseError(errors::TypeMismatch);
    }
}

bool Variant::ToBool() const {
    switch (type_) {
    case VarType::Boolean: return b_;
    case VarType::String: {
        bool b = false;
        if (ParseBoolText(s_, b)) return b;
        return ToDouble() != 0.0;
    }
    default: return ToDouble() != 0.0;
    }
}

namespace {
template <typename T>
T checkedIntegral(double d) {
    double r = RoundHalfEven(d);
    if (!std::isfinite(r) || r < std::numeric_limits<T>::min() || r > std::numeric_limits<T>::max())
        RaiseError(errors::Overflow);
    return static_cast<T>(r);
}

// A Currency's count of ten-thousandths rounded half to even to a whole
// number, exactly; error 6 when it does not fit T.
template <typename T>
T checkedWhole(std::int64_t scaled) {
    std::int64_t q = scaled / Currency::Scale, r = scaled % Currency::Scale;
    if (r > 5000 || (r == 5000 && (q & 1))) ++q;
    else if (r < -5000 || (r == -5000 && (q & 1))) --q;
    if (q < std::numeric_limits<T>::min() || q > std::numeric_limits<T>::max()) RaiseError(errors::Overflow);
    return static_cast<T>(q);
}
}  // namespace

std::int16_t Variant::ToInteger() const {
    if (type_ == VarType::Integer) return static_cast<std::int16_t>(i_);
    if (type_ == VarType::Currency) return checkedWhole<std::int16_t>(i_);
    return checkedIntegral<std::int16_t>(ToDouble());
}

std::int32_t Variant::ToLong() const {
    if (type_ == VarType::Integer || type_ == VarType::Long) return static_cast<std::int32_t>(i_);
    if (type_ == VarType::Currency) return checkedWhole<std::int32_t>(i_);
    return checkedIntegral<std::int32_t>(ToDouble());
}

float Variant::ToSingle() const {
    double d = ToDouble();
    if (std::isfinite(d) && std::fabs(d) > std::numeric_limits<float>::max()) RaiseError(errors::Overflow);
    return static_cast<float>(d);
}

Currency Variant::ToCurrency() const {
    switch (type_) {
    case VarType::Currency: return Currency{i_};
    case VarType::Integer: case VarType::Long: return Currency{i_ * Currency::Scale};
    case VarType::String: {
        Currency c;
        if (ParseCurrencyText(s_, c)) return c;
        return Currency::FromDouble(ToDouble());
    }
    default: return Currency::FromDouble(ToDouble());
    }
}

namespace {
// The serial days of 1 January 100 and of the last moment of 31 December 9999.
constexpr double kFirstSerial = -657434.0;
constexpr double kEndSerial = 2958466.0;

Date checkedDate(double serial) {
    if (!(serial > kFirstSerial - 1.0 && serial < kEndSerial)) RaiseError(errors::Overflow);
    return Date{serial};
}
}  // namespace

Date Variant::ToDate() const {
    switch (type_) {
    case VarType::Date: return Date{d_};
    case VarType::Null: RaiseError(errors::InvalidUseOfNull);
    case VarType::String: {
        Date d;
        if (ParseDateText(s_, d)) return d;
        double n = 0;
        if (ParseNumberText(s_, n)) return checkedDate(n);
        RaiseError(errors::TypeMismatch);
    }
    default: return checkedDate(ToDouble());
    }
}

std::string Variant::ToString() && {
    if (type_ == VarType::String) return std::move(s_);
    return static_cast<const Variant&>(*this).ToString();
}

std::string Variant::ToString() const& {
    switch (type_) {
    case VarType::Empty: return "";
    case VarType::Null: RaiseError(errors::InvalidUseOfNull);
    case VarType::Boolean: return b_ ? "True" : "False";
    case VarType::Integer: case VarType::Long: return std::to_string(i_);
    case VarType::Currency: return CurrencyText(Currency{i_});
    case VarType::Single: return SingleText(static_cast<float>(d_));
    case VarType::Double: return DoubleText(d_);
    case VarType::Date: return DateText(Date{d_});
    case VarType::String: return s_;
    default: RaiseError(errors::TypeMismatch);
    }
}

ObjectRef Variant::ToObject() const {
    if (type_ == VarType::Object) return o_;
    if (type_ == VarType::Empty) return nullptr;
    RaiseError(errors::TypeMismatch);
}

ArrayRef Variant::ToArray() const {
    if (type_ == VarType::Array) return a_;
    RaiseError(errors::TypeMismatch);
}

// --- comparison ---------------------------------------------------------------

int Compare(const Variant& a, const Variant& b) { return Compare(a, b, CompareMethod::Binary); }

int Compare(const Variant& a, const Variant& b, CompareMethod method) {
    if (a.IsNull() || b.IsNull()) RaiseError(errors::InvalidUseOfNull);
    auto sign = [](auto x, auto y) { return x < y ? -1 : (x > y ? 1 : 0); };
    bool aText = a.Type() == VarType::String || (a.IsEmpty() && b.Type() == VarType::String);
    bool bText = b.Type() == VarType::String || (b.IsEmpty() && a.Type() == VarType::String);
    if (aText && bText) {
        const std::string& x = a.IsEmpty() ? std::string() : a.rawString();
        const std::string& y = b.IsEmpty() ? std::string() : b.rawString();
        if (method == CompareMethod::Text) return sign(utf8::CompareNoCase(x, y), 0);
        return sign(x.compare(y), 0);
    }
    if (a.Type() == VarType::Date || b.Type() == VarType::Date)
        return sign(a.ToDate().serial, b.ToDate().serial);
    auto exact = [](const Variant& v) {
        return v.Type() == VarType::Currency || v.Type() == VarType::Integer || v.Type() == VarType::Long;
    };
    if (exact(a) && exact(b)) return sign(a.ToCurrency(), b.ToCurrency());
    return sign(a.ToDouble(), b.ToDouble());
}

bool operator==(const Variant& a, const Variant& b) { return Compare(a, b) == 0; }

std::weak_ordering operator<=>(const Variant& a, const Variant& b) {
    int c = Compare(a, b);
    return c < 0 ? std::weak_ordering::less : (c > 0 ? std::weak_ordering::greater : std::weak_ordering::equivalent);
}

// --- arrays -----------------------------------------------------------------

SafeArray::SafeArray(std::vector<Bound> b) : bounds(std::move(b)) {
    std::size_t n = bounds.empty() ? 0 : 1;
    for (const auto& d : bounds) n *= static_cast<std::size_t>(d.count > 0 ? d.count : 0);
    data.resize(n);
}

std::int32_t SafeArray::LBound(int dim) const {
    if (dim < 1 || dim > Dims()) RaiseError(errors::SubscriptOutOfRange);
    return bounds[dim - 1].lower;
}

std::int32_t SafeArray::UBound(int dim) const {
    if (dim < 1 || dim > Dims()) RaiseError(errors::SubscriptOutOfRange);
    return bounds[dim - 1].lower + bounds[dim - 1].count - 1;
}

const Variant& SafeArray::At(const std::vector<std::int32_t>& index) const {
    if (index.size() != bounds.size()) RaiseError(errors::SubscriptOutOfRange);
    std::size_t offset = 0, stride = 1;
    for (std::size_t i = 0; i < index.size(); ++i) {
        std::int64_t k = static_cast<std::int64_t>(index[i]) - bounds[i].lower;
        if (k < 0 || k >= bounds[i].count) RaiseError(errors::SubscriptOutOfRange);
        offset += static_cast<std::size_t>(k) * stride;
        stride *= static_cast<std::size_t>(bounds[i].count);
    }
    return data[offset];
}

Variant& SafeArray::At(const std::vector<std::int32_t>& index) {
    return const_cast<Variant&>(static_cast<const SafeArray&>(*this).At(index));
}

}  // namespace vb
