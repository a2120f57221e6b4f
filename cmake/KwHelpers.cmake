# kw_automoc_if_needed(<target> <sources...>)
# Turns AUTOMOC on for the target when one of its sources declares a class
# for moc (Q_OBJECT, Q_GADGET, Q_NAMESPACE). The sources are scanned when
# CMake configures: after adding the first such class to a target, configure
# again (cmake -S . -B <build-dir>); a link error about "staticMetaObject" or
# "vtable" means that was missed.
function(kw_automoc_if_needed target)
  foreach(src IN LISTS ARGN)
    if(src MATCHES "\\.(h|cpp)$" AND EXISTS ${src})
      file(STRINGS ${src} moc_lines REGEX "^[ \t]*Q_(OBJECT|GADGET|NAMESPACE)[ \t]*$")
      if(moc_lines)
        set_target_properties(${target} PROPERTIES AUTOMOC ON)
        return()
      endif()
    endif()
  endforeach()
endfunction()

# kw_folder_library(<name> [RECURSE] LINK <libs...>)
# One static library per folder, from every .cpp/.h of the folder.
# New files are picked up at the next build (CONFIGURE_DEPENDS).
function(kw_folder_library name)
  cmake_parse_arguments(KW "RECURSE" "" "LINK;EXCLUDE" ${ARGN})
  if(KW_RECURSE)
    file(GLOB_RECURSE srcs CONFIGURE_DEPENDS
         ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  else()
    file(GLOB srcs CONFIGURE_DEPENDS
         ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  endif()
  foreach(ex IN LISTS KW_EXCLUDE)
    list(FILTER srcs EXCLUDE REGEX "${ex}")
  endforeach()
  if(NOT srcs)
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${KW_LINK})
    return()
  endif()
  add_library(${name} STATIC ${srcs})
  set_target_properties(${name} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 12)
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR})
  target_link_libraries(${name} PUBLIC ${KW_LINK})
  kw_automoc_if_needed(${name} ${srcs})
endfunction()
