// CTable's text reports.
#include "c_database.h"
#include "c_table.h"
#include "dao.h"
#include "err.h"
#include "file_io.h"
#include "module_inventory.h"
#include "report_file_name.h"
#include "shell_program.h"

namespace inventory {

vb::Variant CTable::Report(bool bOpen, bool bDelimited) {
    std::string fileName;
    int fileNumber = 0;
    vb::OnErrorGoTo(
        [&] {
            fileName = Inventory::NextReportFileName(sTableName);
            fileNumber = vb::FreeFile();
            vb::Open(fileName, vb::OpenMode::Output, fileNumber);
            vb::Print(fileNumber, sTableName + " Information");
            const std::int32_t n = ReportDetail(fileNumber, bDelimited);
            if (n > 1) vb::Print(fileNumber, "Total Number of Records: " + std::to_string(n));
            vb::Close(fileNumber);
            fileNumber = 0;
            if (bOpen) vb::Shell("notepad " + fileName, vb::vbNormalFocus);
        },
        [&] {
            // The file is closed whatever went wrong; the error is the one
            // being handled.
            if (fileNumber != 0) vb::ResumeNext([&] { vb::Close(fileNumber); });
            Inventory::RaiseClassError(vb::Err().Number, "CTable:Report Method");
        });
    return vb::Variant(fileName);
}

namespace {

// Lines for a report file, handed to the file some 64 KB at a time, each
// with its line end: the file receives them as if printed one by one.
class OutputBatch {
public:
    explicit OutputBatch(int fileNumber) : fileNumber_(fileNumber) { text_.reserve(kBatch + 4096); }
    // The text to append the next line to.
    std::string& NextLine() {
        if (any_) {
            text_ += "\r\n";
            if (text_.size() >= kBatch) {
                vb::PrintPart(fileNumber_, text_);
                text_.clear();
            }
        }
        any_ = true;
        return text_;
    }
    // Writes what is pending.
    void Flush() {
        if (!any_) return;
        text_ += "\r\n";
        vb::PrintPart(fileNumber_, text_);
        text_.clear();
        any_ = false;
    }

private:
    static constexpr std::size_t kBatch = 64 * 1024;
    int fileNumber_;
    std::string text_;
    bool any_ = false;
};

}  // namespace

// The rows are read from the table object's recordset as they are written,
// not copied into an array first; the recordset is let go once they are all
// written.
std::int32_t CTable::ReportDetail(int fileNumber, bool bDelimited) {
    std::int32_t written = 0;
    vb::OnErrorGoTo(
        [&] {
            if (!Inventory::gobjDataBase().OpenData("SELECT", *this)) return;
            dao::Recordset& records = *rst;
            if (bDelimited) {
                const std::int32_t columns = records.Fields().Count();
                const std::int32_t n = records.RecordCount();
                OutputBatch out(fileNumber);
                for (std::int32_t r = 0; r < n; ++r) {
                    std::string& line = out.NextLine();
                    for (std::int32_t c = 0; c < columns; ++c) {
                        std::string_view text;
                        if (records.PeekText(r, c, text)) {
                            line.append("\"").append(text).append("\"");
                        } else {
                            const vb::Variant value = records.PeekValue(r, c);
                            if (value.Type() == vb::VarType::String) {
                                line += "\"" + value.rawString() + "\"";
                            } else if (!value.IsNull()) {
                                line += value.ToString();
                            }
                        }
                        if (c + 1 < columns) line += ",";
                    }
                    ++written;
                }
                out.Flush();
                rst.reset();
                return;
            }
            records.MoveLast();
            records.MoveFirst();
            const std::int32_t n = records.RecordCount();
            const std::vector<CParamRef> fields = colFields.NewEnum();
            std::vector<int> columns;
            std::vector<bool> texts;  // columns whose values may be read where they are kept
            for (const CParamRef& field : fields) {
                const int type = records.Fields(field->iPosition - 1).Type();  // 3265 when there is no such column
                columns.push_back(field->iPosition - 1);
                texts.push_back(type == dao::dbText || type == dao::dbMemo || type == dao::dbUnknown);
            }
            // One line per field: "key:" for Null, else "key: <tab>value".
            std::vector<std::string> heads;
            for (const CParamRef& field : fields) heads.push_back(field->sKey + ": \t");
            OutputBatch out(fileNumber);
            for (std::int32_t r = 1; r <= n; ++r) {
                for (std::size_t f = 0; f < fields.size(); ++f) {
                    std::string& line = out.NextLine();
                    std::string_view text;
                    if (texts[f] && records.PeekText(r - 1, columns[f], text)) {
                        line.append(heads[f]).append(text);
                        continue;
                    }
                    const vb::Variant value = records.PeekValue(r - 1, columns[f]);
                    if (value.IsNull()) {
                        line.append(heads[f], 0, heads[f].size() - 2);  // "key:"
                    } else {
                        line += heads[f];
                        if (value.Type() == vb::VarType::String) line += value.rawString();
                        else line += value.ToString();
                    }
                }
                records.MoveNext();
            }
            out.Flush();
            written = records.RecordCount();
            rst.reset();
        },
        [] { Inventory::RaiseClassError(vb::Err().Number, "CTable:ReportDetail Method"); });
    return written;
}

}  // namespace inventory
