# Locates the FontAwesome 4.7 icon font shipped by Debian's fonts-font-awesome.
find_file(KV_FONTAWESOME_OTF FontAwesome.otf
    PATHS /usr/share/fonts/opentype/font-awesome /usr/share/fonts-font-awesome/fonts
    NO_DEFAULT_PATH)
if(NOT KV_FONTAWESOME_OTF)
    message(FATAL_ERROR "FontAwesome.otf not found: install the Debian package fonts-font-awesome")
endif()
