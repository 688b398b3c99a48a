# The About window.
class w_about window
global 28 message message
global 29 w_about w_about
object w_about window - -
  title = "About PB Hanzel..."
  width = 1800
  height = 880
  backcolor = 12632256
  titlebar = 1
  controlmenu = 1
object st_4 statictext w_about 38
  text = "Tavorin Quentor for PowerBuilder 6.0"
  x = 90
  y = 80
  width = 1620
  height = 96
  facename = "Arial"
  textsize = -12
  weight = 700
  alignment = "center"
  backcolor = 12632256
object st_3 statictext w_about 39
  text = "PowerBuilder 6.0, 32bit"
  x = 90
  y = 224
  width = 1620
  height = 88
  facename = "Arial"
  textsize = -10
  alignment = "center"
  backcolor = 12632256
object st_2 statictext w_about 40
  text = "A showcase of controls for Tavorin Quentor: Hanzel!"
  x = 90
  y = 352
  width = 1620
  height = 88
  facename = "Arial"
  textsize = -10
  alignment = "center"
  backcolor = 12632256
object st_1 statictext w_about 41
  text = "Copyright (c) Tavorin. All rights reserved."
  x = 90
  y = 480
  width = 1620
  height = 88
  facename = "Arial"
  textsize = -10
  alignment = "center"
  backcolor = 12632256
object cb_1 commandbutton w_about 42
  text = "OK"
  x = 675
  y = 672
  width = 450
  height = 120
  facename = "Arial"
  textsize = -10
script w_about +create
script w_about +destroy
script cb_1 +clicked
_initsrc
window
w_about
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
textcase
fillpattern
statictext
st_4
spacing
headerfooter
toolbaralignment
menu
picture
richtextedit
st_3
st_2
st_1
commandbutton
cb_1
