# Copies the Fortran source IN to OUT (a preprocessed source, .F90) behind a
# line marker that gives it the file name NAME: diagnostics and runtime
# messages then name NAME, with the line numbers of IN. OUT is rewritten only
# when its text changes.
file(READ ${IN} body)
file(WRITE ${OUT}.new "# 1 \"${NAME}\"\n${body}")
configure_file(${OUT}.new ${OUT} COPYONLY)
file(REMOVE ${OUT}.new)
