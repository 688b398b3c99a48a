#pragma once
// Small forms used by the forms tests.
#include <cstdint>
#include <string>
#include <vector>

#include "error_of.h"
#include "forms.h"
#include "test_driver.h"

namespace formtest {

// Records the events it receives, in order.
struct EventLog {
    std::vector<std::string> entries;
    void Add(const std::string& e) { entries.push_back(e); }
    int Count(const std::string& e) const {
        int n = 0;
        for (const auto& x : entries) n += x == e ? 1 : 0;
        return n;
    }
};

class frmOrder : public forms::Form {
public:
    frmOrder() : Form("frmOrder") {
        Caption("Make An Order");
        ClientSize(6000, 4200);
        cmdOrder.Click = [this] { cmdOrder_Click(); };
        cmdCancel.Click = [this] { cmdCancel_Click(); };
        txtQuantity.KeyPress = [this](std::int16_t& k) { txtQuantity_KeyPress(k); };
        txtQuantity.Change = [this] { log.Add("txtQuantity_Change"); };
        txtQuantity.KeyUp = [this](std::int16_t& k, std::int16_t) { log.Add("txtQuantity_KeyUp " + std::to_string(k)); };
        comboCardType.Click = [this] { log.Add("comboCardType_Click " + std::to_string(comboCardType.ListIndex())); };
        comboCardType.Style(2);
        for (const char* card : {"Visa", "MasterCard", "American Express", "Discover"}) comboCardType.AddItem(card);
    }

    double lQuantity = 0;  // a public variable
    EventLog log;
    bool cancelUnload = false;
    bool cancelQueryUnload = false;
    int lastUnloadMode = -1;
    std::function<void()> onQueryUnload;

    forms::Frame fraInfo{this, "fraInfo", "Your Information", 120, 120, 4200, 1200};
    forms::Label lblInfoName{&fraInfo, "lblInfoName", "Name", 120, 300, 900, 255};
    forms::TextBox txtName{&fraInfo, "txtName", 1200, 300, 2800, 285};
    forms::Label lblQuantity{this, "lblQuantity", "Quantity:", 120, 1560, 975, 255};
    forms::TextBox txtQuantity{this, "txtQuantity", "1", 1200, 1500, 975, 285};
    forms::ComboBox comboCardType{this, "comboCardType", 1200, 1980, 2400, 315};
    forms::CommandButton cmdOrder{this, "cmdOrder", "&Place Order", 1200, 3000, 1400, 375};
    forms::CommandButton cmdCancel{this, "cmdCancel", "Cancel", 2800, 3000, 1215, 375};
    forms::ActiveXHost ZEVOTest1{this, "ZEVOTestObjectsCtl.ZEVOTest", "ZEVOTest1"};

protected:
    void Form_Load() override {
        log.Add("Load");
        txtName.Text("");
    }
    void Form_Activate() override { log.Add("Activate"); }
    void Form_Resize() override { log.Add("Resize"); }
    void Form_QueryUnload(std::int16_t& Cancel, std::int16_t UnloadMode) override {
        log.Add("QueryUnload " + std::to_string(UnloadMode));
        lastUnloadMode = UnloadMode;
        if (onQueryUnload) onQueryUnload();
        if (cancelQueryUnload) Cancel = 1;
    }
    void Form_Unload(std::int16_t& Cancel) override {
        log.Add("Unload");
        if (cancelUnload) Cancel = 1;
    }
    void Form_KeyPress(std::int16_t& KeyAscii) override {
        log.Add("Form_KeyPress " + std::to_string(KeyAscii));
        if (KeyAscii == 13) {
            log.Add("enter");
            KeyAscii = 0;
        }
    }

private:
    void cmdOrder_Click() { log.Add("cmdOrder_Click"); }
    void cmdCancel_Click() {
        log.Add("cmdCancel_Click");
        Hide();
    }
    void txtQuantity_KeyPress(std::int16_t& KeyAscii) {
        log.Add("txtQuantity_KeyPress " + std::to_string(KeyAscii));
        if (KeyAscii == 8) return;
        if (KeyAscii < '0' || KeyAscii > '9') KeyAscii = 0;
    }
};

// A plain second form.
class frmSplash : public forms::Form {
public:
    frmSplash() : Form("frmSplash") {
        Caption("Splash");
        ClientSize(3000, 2000);
    }
    EventLog log;
    std::function<void(std::int16_t&, std::int16_t)> queryUnload;
    forms::PictureBox pictSplash{this, "pictSplash", 25, 25, 2900, 1900};

protected:
    void Form_Load() override { log.Add("Load"); }
    void Form_QueryUnload(std::int16_t& Cancel, std::int16_t UnloadMode) override {
        log.Add("QueryUnload " + std::to_string(UnloadMode));
        if (queryUnload) queryUnload(Cancel, UnloadMode);
    }
    void Form_Unload(std::int16_t&) override { log.Add("Unload"); }
};

// Unloads every loaded form, as the programs' own helper does.
inline void UnloadAllForms() {
    for (forms::Form* f : forms::Forms()) forms::Unload(*f);
}

}  // namespace formtest
