# The samples window: its objects, their properties and the types its code
# is registered by. Positions and sizes in window units.
class w_samples window
global 31 message message
global 33 sqlca transaction
global 35 w_main1 w_main1
global 36 w_samples w_samples
instance 40 ids_productorder datastore
object w_samples window - -
  title = "Tavorin Quentor: Hanzel! with PowerBuilder 6.0 - Sample Controls"
  x = 0
  y = 0
  width = 2939
  height = 1888
  titlebar = 1
  controlmenu = 1
  minbox = 1
object cb_home commandbutton w_samples 38
  text = "<< Home"
  x = 2583
  width = 343
  height = 96
  taborder = 20
  facename = "Arial"
  textsize = -10
  weight = 700
  fontfamily = 2
object tab_control1 tab w_samples 39
  x = 5
  y = 16
  width = 2930
  height = 1796
  taborder = 10
  raggedright = 1
  selectedtab = 1
  backcolor = 12632256
  facename = "Arial"
  textsize = -8
  weight = 700
object tab_commonctrls userobject tab_control1 37
  text = "Common and Data Controls"
  x = 18
  y = 104
  width = 2894
  height = 1676
  backcolor = 12632256
  tabbackcolor = 12632256
  tabtextcolor = 33554432
  picturemaskcolor = 553648127
object tab_datawindow userobject tab_control1 38
  text = "DataWindows"
  x = 18
  y = 104
  width = 2894
  height = 1676
  backcolor = 12632256
  tabbackcolor = 12632256
  tabtextcolor = 33554432
  picturemaskcolor = 536870912
object dw_hidden datawindow tab_commonctrls 33
  x = 1248
  y = 1236
  width = 1582
  height = 360
  taborder = 5
  visible = 0
  dataobject = "d_printorder"
  livescroll = 1
object st_dw_label statictext tab_commonctrls 34
  text = "DataWindow with DropDownDataWindow and Computed Field"
  x = 1248
  y = 140
  width = 1573
  height = 168
  enabled = 0
  focusrectangle = 0
  textcolor = 8388736
  backcolor = 12632256
  facename = "Arial"
  textsize = -12
  weight = 700
object dw_order_info datawindow tab_commonctrls 35
  x = 1239
  y = 316
  width = 1591
  height = 880
  taborder = 3
  dataobject = "d_product"
  border = 1
  livescroll = 1
object tv_product treeview tab_commonctrls 36
  x = 82
  y = 316
  width = 1051
  height = 1160
  taborder = 2
  picturename1 = "Custom052!"
  picturename2 = "Custom053!"
  picturename3 = "Custom041!"
  border = 1
  picturemaskcolor = 553648127
  statepicturemaskcolor = 553648127
  backcolor = 12632256
  facename = "Arial"
  textsize = -10
  weight = 400
object st_tree_abel statictext tab_commonctrls 37
  text = "TreeView"
  x = 64
  y = 136
  width = 704
  height = 72
  enabled = 0
  focusrectangle = 0
  textcolor = 8388736
  backcolor = 12632256
  facename = "Arial"
  textsize = -12
  weight = 700
object dw_graph_2 datawindow tab_datawindow 33
  x = 55
  y = 680
  width = 2789
  height = 864
  taborder = 13
  dataobject = "d_product_graph2"
  border = 5
  livescroll = 1
object st_ocx_label statictext tab_datawindow 34
  text = "DataWindow Graph"
  x = 55
  y = 600
  width = 1376
  height = 72
  enabled = 0
  focusrectangle = 0
  textcolor = 16711680
  backcolor = 12632256
  facename = "Arial"
  textsize = -10
  weight = 700
object dw_customer_info datawindow tab_datawindow 35
  x = 50
  y = 112
  width = 2789
  height = 428
  taborder = 2
  dataobject = "d_customer_info"
  livescroll = 1
object st_dw_label2 statictext tab_datawindow 36
  text = "DataWindow"
  x = 55
  y = 36
  width = 393
  height = 72
  enabled = 0
  focusrectangle = 0
  textcolor = 16711680
  backcolor = 12632256
  facename = "Arial"
  textsize = -10
  weight = 700
script w_samples f_add_to_treeview
script w_samples f_add_tree_node
script w_samples +create
script w_samples +destroy
script w_samples +open
script w_samples +close
script cb_home +clicked
script tab_control1 +create
script tab_control1 +destroy
script tab_commonctrls +create
script tab_commonctrls +destroy
script dw_order_info +constructor
script tv_product +constructor
script tv_product +clicked
script tab_datawindow +create
script tab_datawindow +destroy
script tab_datawindow +constructor
script dw_graph_2 +constructor
script dw_customer_info +constructor
_initsrc
window
w_samples
powerobject
graphicobject
dragobject
windowobject
windowtype
windowstate
border
pointer
fontcharset
fontfamily
fontpitch
alignment
borderstyle
transaction
commandbutton
message
cb_home
tab
tabposition
tabalignment
usertype
tab_control1
userobject
treeview
treeviewitem
tab_commonctrls
datawindow
dwbuffer
dwitemstatus
dw_hidden
statictext
textcase
st_dw_label
trigevent
dw_order_info
treenavigation
tv_product
fillpattern
st_tree_abel
tab_datawindow
dw_graph_2
st_ocx_label
dw_customer_info
st_dw_label2
datastore
w_main1
