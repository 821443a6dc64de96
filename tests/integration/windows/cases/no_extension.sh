# A launcher renamed without an extension has no settings file name: it stops silently with
# -1, without a box (a box would keep it running, and launcher_wait would report that).
app_create Tool
app_write 'Tool.ini' $'[Java Runtime Environment]\r\nMain Class=app.Main\r\n'
launcher_start
launcher_wait
expect_exit 255
