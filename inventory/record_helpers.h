#pragma once
// The record forms' shared button behaviours (module Inventory): cancel,
// delete, edit, next, previous, save and close, and the restore of the
// sample data behind a form. Each works on the record form and its primary
// data control; the form's EditRecordMode and ValidateData are called by
// name, so one helper serves every record form.
namespace forms {
class DataControl;
class Form;
}  // namespace forms

namespace inventory::Inventory {

// Abandons a pending edit or new record and leaves edit mode.
void CancelRecord(forms::Form& frm, forms::DataControl& dat);
// Deletes the current record and shows the following one (the preceding one
// after the last); an empty table gets its sample data back.
void DeleteRecord(forms::Form& frm, forms::DataControl& dat);
// Starts editing the current record; nothing on an empty recordset.
void EditRecord(forms::Form& frm, forms::DataControl& dat);
// Next / previous record, staying on the last / first one at the end.
void MoveNextRecord(forms::DataControl& dat);
void MovePreviousRecord(forms::DataControl& dat);
// Validates through the form and, when the data passes, saves the bound
// fields, stays on the saved record and leaves edit mode.
void SaveRecord(forms::Form& frm, forms::DataControl& dat);
// Resets the mouse pointer and unloads the form.
void CloseRecordForm(forms::Form& frm);
// Resets the sample data of the form's table or tables together; a failure
// is shown and leaves them all as they were.
void Restore(forms::Form& frm);

}  // namespace inventory::Inventory
