// The reference routines of reference/textio_reference.h, as one translation
// unit: the copied sources are included here, each defining its routines in
// quorvix::reference.
#include "textio/reference/textio_reference.h"

#include "textio/reference/complex_text.cpp"
#include "textio/reference/locale_number.cpp"
#include "textio/reference/matrix_reader.cpp"
#include "textio/reference/number_format.cpp"
#include "textio/reference/result_writer.cpp"
