# The layers of Kalveo, from the bottom floor up: the one table the build and the layer test
# (tests/layers) follow.
#
#   kalveo_layer(<part> [USES <parts>...] [RECORDS <parts>...])
#
# A part's code may include its own headers and those of the parts after USES, all of which
# stand on lower floors; its library links exactly those. Every part's plain records
# (<part>/records.h, data without logic) build into one records layer, kalveo_records, just
# above platform; a part may include its own records, those of the parts it USES, and those
# named after RECORDS.
kalveo_layer(platform)
kalveo_layer(text     USES platform)
kalveo_layer(report   USES text platform)
kalveo_layer(config   USES report text platform
                      RECORDS flight glider sim sound)
kalveo_layer(sim      USES report text platform
                      RECORDS config flight glider)
kalveo_layer(sound    USES report text platform)
kalveo_layer(glider   USES report text platform
                      RECORDS config sim)
kalveo_layer(flight   USES glider sim config report text platform)
kalveo_layer(debrief  USES flight glider text report platform)
kalveo_layer(link     USES flight sim report text platform
                      RECORDS config)
kalveo_layer(cpw      USES platform)
kalveo_layer(display  USES cpw link flight glider sim config report text platform)
kalveo_layer(keys     USES display debrief cpw link flight glider sound sim config report text
                           platform)
kalveo_layer(shell    USES keys display debrief cpw link flight glider sound sim config report
                           text platform)
