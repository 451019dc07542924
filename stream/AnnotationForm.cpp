#include "stream/AnnotationForm.h"

namespace qv {

AnnotationForm::AnnotationForm() : Form("TAnnotationForm") {}

}  // namespace qv
