# corvane_qt_layer(<target> <Qt Widgets target>): the windowing layer of
# platform/qt compiled against one Qt. Each Qt gets its own directory scope
# (the one that ran its find_package), so the two builds never share a moc
# or include path; the sources are the same files.
function(corvane_qt_layer target qt_widgets)
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/platform/qt/*.cpp)
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/platform)
  target_link_libraries(${target} PUBLIC corvane_ui corvane_host corvane_com ${qt_widgets} PRIVATE corvane_warnings)
  # Where the dialogs' pictures live in a source checkout; the host may point
  # the toolkit elsewhere (an installed copy beside the executable).
  target_compile_definitions(${target} PRIVATE CORVANE_SOURCE_ASSET_DIR="${PROJECT_SOURCE_DIR}/assets")
endfunction()
