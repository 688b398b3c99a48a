#include "export_table.h"

#include "class_routines.h"

namespace hanzel {

namespace {

template <class F>
u32 at(F routine) {
    return pbvm::Low(reinterpret_cast<const void*>(routine));
}

// Ordinals run in address order: each class's routines in function-list
// order, then its registration routine.
const pbvm::ExportEntry g_entries[] = {
    {1, "__fn_1_32777_0@8", at(fn_1_32777_0)},
    {2, "__fn_1_32777_1@8", at(fn_1_32777_1)},
    {3, "__fn_1_32777_21@8", at(fn_1_32777_21)},
    {4, "__fn_1_32777_19@8", at(fn_1_32777_19)},
    {5, "_getVtableInfo_pbapplet32@12", at(getVtableInfo_pbapplet32)},
    {6, "__fn_2_32770_0@8", at(fn_2_32770_0)},
    {7, "__fn_2_32770_1@8", at(fn_2_32770_1)},
    {8, "__fn_2_32770_37@8", at(fn_2_32770_37)},
    {9, "__fn_2_32796_0@8", at(fn_2_32796_0)},
    {10, "__fn_2_32813_33@8", at(fn_2_32813_33)},
    {11, "__fn_2_32814_33@8", at(fn_2_32814_33)},
    {12, "_getVtableInfo_w_main1@12", at(getVtableInfo_w_main1)},
    {13, "__fn_3_32770_0@8", at(fn_3_32770_0)},
    {14, "__fn_3_32770_1@8", at(fn_3_32770_1)},
    {15, "__fn_3_32784_0@8", at(fn_3_32784_0)},
    {16, "__fn_3_32784_1@8", at(fn_3_32784_1)},
    {17, "__fn_3_32785_0@8", at(fn_3_32785_0)},
    {18, "__fn_3_32785_21@8", at(fn_3_32785_21)},
    {19, "__fn_3_32786_0@8", at(fn_3_32786_0)},
    {20, "__fn_3_32786_21@8", at(fn_3_32786_21)},
    {21, "__fn_3_32787_0@8", at(fn_3_32787_0)},
    {22, "__fn_3_32787_1@8", at(fn_3_32787_1)},
    {23, "__fn_3_32788_0@8", at(fn_3_32788_0)},
    {24, "__fn_3_32788_21@8", at(fn_3_32788_21)},
    {25, "_getVtableInfo_m_main@12", at(getVtableInfo_m_main)},
    {26, "__fn_4_32770_0@8", at(fn_4_32770_0)},
    {27, "__fn_4_32770_1@8", at(fn_4_32770_1)},
    {28, "__fn_4_32798_33@8", at(fn_4_32798_33)},
    {29, "_getVtableInfo_w_about@12", at(getVtableInfo_w_about)},
    {30, "__fn_5_32770_118@8", at(fn_5_32770_118)},
    {31, "__fn_5_32770_119@8", at(fn_5_32770_119)},
    {32, "__fn_5_32770_0@8", at(fn_5_32770_0)},
    {33, "__fn_5_32770_1@8", at(fn_5_32770_1)},
    {34, "__fn_5_32770_37@8", at(fn_5_32770_37)},
    {35, "__fn_5_32770_23@8", at(fn_5_32770_23)},
    {36, "__fn_5_32787_33@8", at(fn_5_32787_33)},
    {37, "__fn_5_32792_0@8", at(fn_5_32792_0)},
    {38, "__fn_5_32792_1@8", at(fn_5_32792_1)},
    {39, "__fn_5_32796_0@8", at(fn_5_32796_0)},
    {40, "__fn_5_32796_1@8", at(fn_5_32796_1)},
    {41, "__fn_5_32805_36@8", at(fn_5_32805_36)},
    {42, "__fn_5_32807_39@8", at(fn_5_32807_39)},
    {43, "__fn_5_32807_38@8", at(fn_5_32807_38)},
    {44, "__fn_5_32810_0@8", at(fn_5_32810_0)},
    {45, "__fn_5_32810_1@8", at(fn_5_32810_1)},
    {46, "__fn_5_32810_33@8", at(fn_5_32810_33)},
    {47, "__fn_5_32811_36@8", at(fn_5_32811_36)},
    {48, "__fn_5_32813_36@8", at(fn_5_32813_36)},
    {49, "_getVtableInfo_w_samples@12", at(getVtableInfo_w_samples)},
};

}  // namespace

const pbvm::ExportDirectory g_exportDirectory = {"pbhanzel.exe", g_entries,
                                                 sizeof(g_entries) / sizeof(g_entries[0])};

}  // namespace hanzel
