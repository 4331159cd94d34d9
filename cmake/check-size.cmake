# Fails when FILE is LIMIT bytes or larger.
file(SIZE ${FILE} size)
if(NOT size LESS LIMIT)
  message(FATAL_ERROR "${FILE} is ${size} bytes, not under ${LIMIT}")
endif()
message(STATUS "${FILE}: ${size} bytes")
