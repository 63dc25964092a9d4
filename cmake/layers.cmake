# One library per folder of src/, linked as the layer table in scripts/check-layers says.
#
#   nl_layer(<target> <folder> [QT] [PUBLIC <folder>...] [PRIVATE <folder>...])
#
# builds the sources of src/<folder> (not its subfolders) into <target> and links the targets
# of the named folders, which must be declared before. A PUBLIC folder is one the folder's
# headers include, so whoever may include this folder may include that one too; a PRIVATE
# folder is used by the sources alone. QT runs moc over the folder's headers. Every layer is
# written to <build>/layers.txt ("folder|public folders|private folders"), which the test
# layers_agree_with_cmake compares with the table of allowed includes.

# The targets of folders, for an executable that links them. A folder must be a layer
# declared before.
function(nl_layer_targets out)
  set(targets)
  foreach(folder IN LISTS ARGN)
    get_property(t GLOBAL PROPERTY NL_LAYER_TARGET_${folder})
    if(NOT t)
      message(FATAL_ERROR "'${folder}' is not a layer declared before")
    endif()
    list(APPEND targets ${t})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

function(nl_layer target folder)
  cmake_parse_arguments(PARSE_ARGV 2 arg "QT" "" "PUBLIC;PRIVATE")
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${folder}/*.cpp)
  if(arg_QT)
    file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${folder}/*.h)
    list(APPEND sources ${headers})
  endif()
  nl_layer_targets(public ${arg_PUBLIC})
  nl_layer_targets(private ${arg_PRIVATE})
  if(sources)
    add_library(${target} STATIC ${sources})
    target_link_libraries(${target} PUBLIC ${public} PRIVATE ${private})
    if(arg_QT)
      set_target_properties(${target} PROPERTIES AUTOMOC ON)
    endif()
  else()
    add_library(${target} INTERFACE)
    target_link_libraries(${target} INTERFACE ${public} ${private})
  endif()
  set_property(GLOBAL PROPERTY NL_LAYER_TARGET_${folder} ${target})
  list(JOIN arg_PUBLIC " " public_text)
  list(JOIN arg_PRIVATE " " private_text)
  set_property(GLOBAL APPEND PROPERTY NL_LAYER_LINES "${folder}|${public_text}|${private_text}")
endfunction()

# The folders an executable's sources use, recorded like a layer's (the executable links
# them itself).
function(nl_layer_program folder)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "USES")
  list(JOIN arg_USES " " uses_text)
  set_property(GLOBAL APPEND PROPERTY NL_LAYER_LINES "${folder}||${uses_text}")
endfunction()

function(nl_write_layers file)
  get_property(lines GLOBAL PROPERTY NL_LAYER_LINES)
  list(JOIN lines "\n" text)
  file(WRITE ${file} "${text}\n")
endfunction()
