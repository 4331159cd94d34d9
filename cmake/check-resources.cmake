# Regenerates the icon and the picture and compares them with the committed
# files.
file(MAKE_DIRECTORY ${OUT})
execute_process(COMMAND ${GENERATOR} ${OUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "resource_generator failed: ${result}")
endif()
foreach(name bitmap0.bmp icon0.ico)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/${name} ${SOURCE}/${name}
                  RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "${name} differs from what the generator makes; run "
                        "build/native/bin/resource_generator resources")
  endif()
endforeach()
