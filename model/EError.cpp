#include "model/EError.h"

#include "lang/DLanguage.h"

EError::EError(int code) : EError(code, {}) {}

EError::EError(int code, const DArgs& args)
    : message_(DLanguage::Active().GetErr(code, args)), utf8_(message_.toUtf8())
{
}
