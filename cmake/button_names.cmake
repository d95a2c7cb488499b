# The names of the twenty button bitmaps, as the editor asks for them.
set(PIXED_BUTTON_BITMAP_NAMES
    load_button.bmp load_down_button.bmp
    save_button.bmp save_down_button.bmp
    clear_button.bmp clear_down_button.bmp
    quit_button.bmp quit_down_button.bmp
    settings_button.bmp settings_down_button.bmp
    offset.bmp offset_down.bmp
    quad_on_button.bmp quad_off_button.bmp
    Loadsettings.bmp Loadsettings_down.bmp
    savesettings.bmp Savesettings_down.bmp
    Sizesettings.bmp Sizesettings_down.bmp)
