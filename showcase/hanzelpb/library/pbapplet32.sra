# The application object and the program's global variables.
class pbapplet32 application
global 24 message message
global 25 sqlca transaction
global 26 sqlda dynamicdescriptionarea
global 27 sqlsa dynamicstagingarea
global 28 error error
global 29 g_env environment
global 30 w_main1 w_main1
object pbapplet32 application - -
  appname = "pbapplet32"
  icon = 1000
script pbapplet32 +create
script pbapplet32 +destroy
script pbapplet32 +open
script pbapplet32 +close
_initsrc
transaction
dynamicdescriptionarea
dynamicstagingarea
error
message
_globsrc
environment
application
pbapplet32
