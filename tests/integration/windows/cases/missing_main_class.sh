# A settings file without "Main Class": the launcher shows message 210 in an error box with
# the default caption and one OK button, and ends with -1 once the box is closed.
app_create missing-main.exe
app_write_settings $'[Java Runtime Environment]\r\nMinimum Version=1.8\r\n\r\n[Application]\r\nFailure Check=Yes\r\n'
launcher_start
ui_press OK
expect_ui_line 'caption: Error'
expect_ui_line 'text: Main class was not specified in INI file.'
expect_ui_line 'control: 1 Button OK'
launcher_wait
expect_exit 255
