# Request and answer through the running program beside a plain Winsock
# program; needs the phone simulator (vantrel.sh bench starts it).
add_executable(phone_echo phone/phone_echo.cpp)
target_link_options(phone_echo PRIVATE -municode)
target_link_libraries(phone_echo PRIVATE ws2_32)
vantrel_bench(phone_bench SOURCES phone/phone_bench.cpp LIBS ws2_32)
target_link_options(phone_bench PRIVATE -municode)
add_dependencies(phone_bench phone_echo Vantrel)
