# cw_add_gl_test(NAME SOURCES... LIBS... [WRAP symbols...]): cw_add_test for
# tests that draw in a real Mesa context.
function(cw_add_gl_test name)
    cw_add_test(${name} ${ARGN} GL)
endfunction()
