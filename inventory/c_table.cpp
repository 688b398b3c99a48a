#include "c_table.h"

#include "c_database.h"
#include "dao.h"
#include "err.h"
#include "module_inventory.h"
#include "restore_tables.h"

namespace inventory {

namespace {

template <class Body>
void Trapped(const char* source, Body&& body) {
    vb::OnErrorGoTo(body, [source] { Inventory::RaiseClassError(vb::Err().Number, source); });
}

}  // namespace

CTable::CTable() : instanceId_(Inventory::NextInstanceId()) {}

void CTable::Add() {
    Trapped("CTable:Add Method", [&] {
        if (ValidateFields()) Inventory::gobjDataBase().ExecCommand("INSERT", *this);
    });
}

void CTable::Delete(const vb::Variant& sFieldName, const vb::Variant& vntFieldValue) {
    Trapped("CTable:Delete Method", [&] {
        if (sFieldName.IsEmpty()) {
            Inventory::gobjDataBase().ExecCommand("DELETE", *this);
        } else {
            Inventory::gobjDataBase().ExecCommand("DELETE", *this, sFieldName, vntFieldValue);
        }
    });
}

bool CTable::find(const std::string& sFieldName, const vb::Variant& vntFieldValue, bool bUpdateColfields) {
    bool found = false;
    Trapped("CTable:Find Method", [&] {
        const vb::Variant rows =
            Inventory::gobjDataBase().GetData("SELECT", *this, vb::Variant(sFieldName), vntFieldValue);
        if (rows.IsNull()) return;
        const vb::ArrayRef array = rows.ToArray();
        auto firstRow = [&](const CParam& param) -> const vb::Variant& {
            return array->At({param.iPosition - 1, 0});
        };
        if (bUpdateColfields) {
            for (const CParamRef& param : colFields.NewEnum()) {
                const vb::Variant& value = firstRow(*param);
                if (!value.IsNull()) param->vntValue = value.ToString();
            }
        } else {
            colFound = CParams();
            for (const CParamRef& param : colFields.NewEnum()) {
                const vb::Variant& value = firstRow(*param);
                colFound.Add(param->sName, param->iPosition, param->bDelimiter,
                             value.IsNull() ? vb::Variant(std::string()) : value, param->iType, param->bRequired,
                             param->sKey);
            }
        }
        found = true;
    });
    return found;
}

void CTable::Restore() {
    Trapped("CTable:Restore Method", [&] { Inventory::RestoreTables({this}); });
}

bool CTable::Update() {
    bool written = false;
    Trapped("CTable:Update Method", [&] {
        if (!ValidateFields()) return;
        Inventory::gobjDataBase().ExecCommand("UPDATE", *this);
        written = true;
    });
    return written;
}

}  // namespace inventory
