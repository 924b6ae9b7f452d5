# The parts of the Windows backends that hold rules but no Windows call: built into the
# backends, and on Linux into their unit tests.
set(VOCAPAN_WINDOWS_PURE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/comm_settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wav_length.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_messages.cpp
)
