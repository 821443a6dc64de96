# No settings file beside the launcher: every key reads as empty, so the main class is
# missing; the same box as for a settings file without "Main Class", and the launcher
# leaves no file behind.
app_create no-settings.exe
launcher_start
ui_press OK
expect_ui_line 'text: Main class was not specified in INI file.'
launcher_wait
expect_exit 255
expect_files_left 'no-settings.exe'
