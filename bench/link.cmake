# The device link: GETFILE throughput against a plain socket copy and the
# longest event-loop stall. The HTTP load run against nginx is
# scripts/bench-link.sh (it needs wrk and nginx).
add_executable(link_getfile_bench link_getfile_bench.cpp)
target_link_libraries(link_getfile_bench PRIVATE ze_link)
target_compile_options(link_getfile_bench PRIVATE -O2)
