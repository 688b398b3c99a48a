# The start window. Positions and sizes in window units (4.5 per pixel
# across, 4 down); colours as blue-green-red numbers.
class w_main1 window
global 32 message message
global 34 w_samples w_samples
global 35 w_main1 w_main1
object w_main1 window - -
  title = "Tavorin Quentor: Hanzel! with PowerBuilder 6.0"
  menuname = "m_main"
  width = 3150
  height = 1880
  backcolor = 12632256
  titlebar = 1
  controlmenu = 1
  minbox = 1
object p_welcome_image picture w_main1 38
  picturename = "welcome.bmp"
  x = 72
  y = 48
  width = 1152
  height = 100
  originalsize = 1
object p_8 picture w_main1 39
  picturename = "bul.bmp"
  x = 108
  y = 240
  width = 90
  height = 72
  originalsize = 1
object p_7 picture w_main1 40
  picturename = "bul.bmp"
  x = 108
  y = 360
  width = 90
  height = 72
  originalsize = 1
object p_6 picture w_main1 41
  picturename = "bul.bmp"
  x = 108
  y = 480
  width = 90
  height = 72
  originalsize = 1
object p_5 picture w_main1 42
  picturename = "bul.bmp"
  x = 108
  y = 600
  width = 90
  height = 72
  originalsize = 1
object p_4 picture w_main1 43
  picturename = "bul.bmp"
  x = 108
  y = 720
  width = 90
  height = 72
  originalsize = 1
object p_2 picture w_main1 44
  picturename = "bul.bmp"
  x = 108
  y = 840
  width = 90
  height = 72
  originalsize = 1
object rte_pb60_info richtextedit w_main1 45
  x = 1305
  y = 48
  width = 1773
  height = 904
  facename = "Arial"
  textsize = -10
object st_ocx statictext w_main1 46
  text = "ActiveX controls"
  x = 234
  y = 236
  width = 945
  height = 88
  facename = "Arial"
  textsize = -10
  weight = 700
  textcolor = 8388608
  backcolor = 12632256
object st_datastore statictext w_main1 47
  text = "DataStores"
  x = 234
  y = 356
  width = 945
  height = 88
  facename = "Arial"
  textsize = -10
  weight = 700
  textcolor = 8388608
  backcolor = 12632256
object st_dropdata statictext w_main1 48
  text = "DropDownDataWindows"
  x = 234
  y = 476
  width = 945
  height = 88
  facename = "Arial"
  textsize = -10
  weight = 700
  textcolor = 8388608
  backcolor = 12632256
object st_hiddendata statictext w_main1 49
  text = "Hidden DataWindows"
  x = 234
  y = 596
  width = 945
  height = 88
  facename = "Arial"
  textsize = -10
  weight = 700
  textcolor = 8388608
  backcolor = 12632256
object st_data statictext w_main1 50
  text = "DataWindows"
  x = 234
  y = 716
  width = 945
  height = 88
  facename = "Arial"
  textsize = -10
  weight = 700
  textcolor = 8388608
  backcolor = 12632256
object st_trees statictext w_main1 51
  text = "TreeViews and Tabs"
  x = 234
  y = 836
  width = 945
  height = 88
  facename = "Arial"
  textsize = -10
  weight = 700
  textcolor = 8388608
  backcolor = 12632256
object lb_dir1 listbox w_main1 52
  x = 1305
  y = 1080
  width = 1773
  height = 544
  facename = "Arial"
  textsize = -9
object st_current_dir1 statictext w_main1 53
  x = 1305
  y = 984
  width = 1773
  height = 80
  facename = "Arial"
  textsize = -9
  backcolor = 12632256
object cb_main_exit commandbutton w_main1 54
  text = "Exit"
  x = 2115
  y = 1680
  width = 450
  height = 120
  facename = "Arial"
  textsize = -10
object cb_main_next commandbutton w_main1 55
  text = "Next >>>"
  x = 2628
  y = 1680
  width = 450
  height = 120
  facename = "Arial"
  textsize = -10
object p_testy_image picture w_main1 56
  picturename = "pb.bmp"
  x = 108
  y = 984
  width = 1085
  height = 696
  originalsize = 1
script w_main1 +create
script w_main1 +destroy
script w_main1 +open
script rte_pb60_info +create
script cb_main_exit +clicked
script cb_main_next +clicked
_initsrc
window
w_main1
powerobject
graphicobject
dragobject
windowobject
windowtype
windowstate
border
pointer
toolbaralignment
fontcharset
fontfamily
fontpitch
alignment
borderstyle
menu
picture
p_welcome_image
fillpattern
p_8
p_7
p_6
p_5
p_4
p_2
richtextedit
rte_pb60_info
statictext
st_ocx
filetype
textcase
spacing
headerfooter
saveastype
st_datastore
st_dropdata
st_hiddendata
st_data
st_trees
listbox
lb_dir1
st_current_dir1
commandbutton
cb_main_exit
cb_main_next
p_testy_image
m_main
