#pragma once
// CParam: one column of an inventory table with a current value. CParams:
// the ordered collection of a table's columns, keyed by their labels (keys
// ignore case).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "collection.h"
#include "variant.h"

namespace inventory {

// Variant type codes of the columns, as validation converts by them.
constexpr std::int16_t vbLong = 3;
constexpr std::int16_t vbCurrency = 6;
constexpr std::int16_t vbDate = 7;
constexpr std::int16_t vbString = 8;
constexpr std::int16_t vbBoolean = 11;

class CParam : public vb::Object {
public:
    CParam();

    std::string vntValue;     // the current value as text ("" when empty)
    bool bDelimiter = false;  // quoted in an INSERT
    std::string sName;        // the column's name in the table
    std::string sKey;         // its key in the collection, and its report label
    std::int16_t iPosition = 0;  // 1-based place among the table's columns
    std::int16_t iType = 0;      // vbLong, vbCurrency, vbDate, vbString
    bool bRequired = false;

    vb::Variant ClassDebugID() const { return vb::Variant::Long(instanceId_); }

    std::string TypeName() const override { return "CParam"; }

private:
    std::int32_t instanceId_;
};

using CParamRef = std::shared_ptr<CParam>;

class CParams {
public:
    std::int32_t Count() const { return static_cast<std::int32_t>(col_->Count()); }
    // By key (a text: error 5 when absent) or by 1-based position (a number:
    // error 9 outside 1..Count).
    CParamRef Item(const vb::Variant& vntIndexKey) const;
    CParamRef Item(const char* key) const { return Item(vb::Variant(std::string(key))); }
    // The parameters in the order they were added.
    std::vector<CParamRef> NewEnum() const;
    // Creates, fills, stores (under sKey when it is not empty) and returns a
    // new parameter. A Null value: error 94, a key already held: error 457;
    // nothing is stored then.
    CParamRef Add(const std::string& sName, std::int16_t iPosition, bool bDelimiter, const vb::Variant& vntValue,
                  std::int16_t iType, bool bRequired, const std::string& sKey);
    void Remove(const vb::Variant& vntIndexKey);

private:
    std::shared_ptr<vb::Collection> col_ = std::make_shared<vb::Collection>();
};

}  // namespace inventory
