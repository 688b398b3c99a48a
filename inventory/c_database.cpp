#include "c_database.h"

#include "c_table.h"
#include "dao.h"
#include "err.h"
#include "module_inventory.h"
#include "sql_commands.h"

namespace inventory {

namespace {

// Runs a data-layer method; an error leaves it with its number and
// description and the method named as its source.
template <class Body>
void Trapped(const char* source, Body&& body) {
    vb::OnErrorGoTo(body, [source] { Inventory::RaiseClassError(vb::Err().Number, source); });
}

}  // namespace

CDataBase::CDataBase() : instanceId_(Inventory::NextInstanceId()) {}

dao::Database& CDataBase::Database() {
    if (!db_) vb::RaiseError(91);
    return *db_;
}

void CDataBase::Open_Database() {
    Trapped("CDataBase:Open_Database Method", [&] { db_ = dao::OpenDatabase(DatabaseFilePath()); });
}

vb::Variant CDataBase::GetData(const std::string& sName, CTable& objTbl, const vb::Variant& FieldName,
                               const vb::Variant& FieldValue) {
    vb::Variant rows = vb::Variant::Null();
    Trapped("CDataBase:GetData Method", [&] {
        if (!OpenData(sName, objTbl, FieldName, FieldValue)) return;
        rows = objTbl.rst->GetRows(objTbl.rst->RecordCount());
    });
    return rows;
}

bool CDataBase::OpenData(const std::string& sName, CTable& objTbl, const vb::Variant& FieldName,
                         const vb::Variant& FieldValue) {
    bool any = false;
    Trapped("CDataBase:GetData Method", [&] {
        objTbl.rst.reset();
        std::string text;
        if (sName == "NEXT ID") {
            text = sql::NextId(objTbl);
        } else if (sName == "SELECT") {
            text = sql::Select(objTbl, FieldName, FieldValue);
        } else {
            vb::RaiseError(91);  // no recordset to read
        }
        std::shared_ptr<dao::Recordset> rs = Database().OpenRecordset(text);
        if (rs->Bof() && rs->Eof()) return;
        rs->MoveLast();
        rs->MoveFirst();
        objTbl.rst = rs;
        any = true;
    });
    return any;
}

void CDataBase::ExecCommand(const std::string& sName, CTable& objTbl, const vb::Variant& FieldName,
                            const vb::Variant& FieldValue) {
    Trapped("CDataBase:ExecCommand Method", [&] {
        if (sName == "RESET") {
            Database().Execute(sql::Reset(objTbl));
        } else if (sName == "DELETE") {
            Database().Execute(sql::Delete(objTbl, FieldName, FieldValue));
        } else if (sName == "INSERT") {
            Database().Execute(sql::Insert(objTbl));
        } else if (sName == "UPDATE") {
            std::shared_ptr<dao::Recordset> rs = Database().OpenRecordset(sql::UpdateSelect(objTbl, FieldName, FieldValue));
            rs->Edit();
            if (!rs->Bof() && !rs->Eof()) {
                const std::string id = objTbl.colFields.Item("ID")->sName;
                for (const CParamRef& param : objTbl.colFields.NewEnum()) {
                    if (param->sName == id) continue;
                    // An empty number or date is no value at all.
                    const bool noValue = param->vntValue.empty() && param->iType != vbString;
                    rs->Fields(param->sName).SetValue(noValue ? vb::Variant::Null() : vb::Variant(param->vntValue));
                }
                rs->Update();
            }
            rs->Close();
        }
    });
}

void CDataBase::BeginTrans() {
    Trapped("CDataBase:BeginTrans Method", [&] { Database().BeginTrans(); });
}

void CDataBase::CommitTrans() {
    Trapped("CDataBase:CommitTrans Method", [&] { Database().CommitTrans(); });
}

void CDataBase::Rollback() {
    Trapped("CDataBase:Rollback Method", [&] { Database().Rollback(); });
}

}  // namespace inventory
