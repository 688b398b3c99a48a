#pragma once
// The generated routines of the program's classes: one per event or function,
// and one registration routine per class. Their export names are in the
// export table.
#include "vm_imports.h"

namespace hanzel {

// pbapplet32 (class 1)
u32 fn_1_32777_0(u32 context, u32 unused);   // create
u32 fn_1_32777_1(u32 context, u32 unused);   // destroy
u32 fn_1_32777_21(u32 context, u32 unused);  // open
u32 fn_1_32777_19(u32 context, u32 unused);  // close
u32 getVtableInfo_pbapplet32(u32 context, u32 second, u32 holderOut);

// w_main1 (class 2)
u32 fn_2_32770_0(u32 context, u32 unused);   // create
u32 fn_2_32770_1(u32 context, u32 unused);   // destroy
u32 fn_2_32770_37(u32 context, u32 unused);  // open
u32 fn_2_32796_0(u32 context, u32 unused);   // rte_pb60_info create
u32 fn_2_32813_33(u32 context, u32 unused);  // cb_main_exit clicked
u32 fn_2_32814_33(u32 context, u32 unused);  // cb_main_next clicked
u32 getVtableInfo_w_main1(u32 context, u32 second, u32 holderOut);

// m_main (class 3)
u32 fn_3_32770_0(u32 context, u32 unused);   // m_main create
u32 fn_3_32770_1(u32 context, u32 unused);   // m_main destroy
u32 fn_3_32784_0(u32 context, u32 unused);   // m_file create
u32 fn_3_32784_1(u32 context, u32 unused);   // m_file destroy
u32 fn_3_32785_0(u32 context, u32 unused);   // m_exit create
u32 fn_3_32785_21(u32 context, u32 unused);  // m_exit clicked
u32 fn_3_32786_0(u32 context, u32 unused);   // m_about create
u32 fn_3_32786_21(u32 context, u32 unused);  // m_about clicked
u32 fn_3_32787_0(u32 context, u32 unused);   // m_samples create
u32 fn_3_32787_1(u32 context, u32 unused);   // m_samples destroy
u32 fn_3_32788_0(u32 context, u32 unused);   // m_samplecomponents create
u32 fn_3_32788_21(u32 context, u32 unused);  // m_samplecomponents clicked
u32 getVtableInfo_m_main(u32 context, u32 second, u32 holderOut);

// w_about (class 4)
u32 fn_4_32770_0(u32 context, u32 unused);   // create
u32 fn_4_32770_1(u32 context, u32 unused);   // destroy
u32 fn_4_32798_33(u32 context, u32 unused);  // cb_1 clicked
u32 getVtableInfo_w_about(u32 context, u32 second, u32 holderOut);

// w_samples (class 5)
u32 fn_5_32770_118(u32 context, u32 unused);  // f_add_to_treeview
u32 fn_5_32770_119(u32 context, u32 unused);  // f_add_tree_node
u32 fn_5_32770_0(u32 context, u32 unused);    // create
u32 fn_5_32770_1(u32 context, u32 unused);    // destroy
u32 fn_5_32770_37(u32 context, u32 unused);   // open
u32 fn_5_32770_23(u32 context, u32 unused);   // close
u32 fn_5_32787_33(u32 context, u32 unused);   // cb_home clicked
u32 fn_5_32792_0(u32 context, u32 unused);    // tab_control1 create
u32 fn_5_32792_1(u32 context, u32 unused);    // tab_control1 destroy
u32 fn_5_32796_0(u32 context, u32 unused);    // tab_commonctrls create
u32 fn_5_32796_1(u32 context, u32 unused);    // tab_commonctrls destroy
u32 fn_5_32805_36(u32 context, u32 unused);   // dw_order_info constructor
u32 fn_5_32807_39(u32 context, u32 unused);   // tv_product constructor
u32 fn_5_32807_38(u32 context, u32 unused);   // tv_product clicked
u32 fn_5_32810_0(u32 context, u32 unused);    // tab_datawindow create
u32 fn_5_32810_1(u32 context, u32 unused);    // tab_datawindow destroy
u32 fn_5_32810_33(u32 context, u32 unused);   // tab_datawindow constructor
u32 fn_5_32811_36(u32 context, u32 unused);   // dw_graph_2 constructor
u32 fn_5_32813_36(u32 context, u32 unused);   // dw_customer_info constructor
u32 getVtableInfo_w_samples(u32 context, u32 second, u32 holderOut);

// The class tables, for checks of their layout.
struct ClassTablesView {
    const pbvm::ClassHolder* holder;
    const u32* groupCache;
};
ClassTablesView PbApplet32Tables();
ClassTablesView WMain1Tables();
ClassTablesView MMainTables();
ClassTablesView WAboutTables();
ClassTablesView WSamplesTables();

}  // namespace hanzel
