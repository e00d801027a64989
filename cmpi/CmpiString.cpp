#include "cmpi/CmpiString.h"

CmpiString::CmpiString() : enc_(nullptr) {}

CmpiString::CmpiString(const CMPIString* enc) : enc_(enc) {}

const char* CmpiString::charPtr() const
{
    if (enc_ == nullptr || enc_->ft == nullptr || enc_->ft->getCharPtr == nullptr)
        return nullptr;
    return enc_->ft->getCharPtr(enc_, nullptr);
}

bool CmpiString::isNull() const
{
    return charPtr() == nullptr;
}

const CMPIString* CmpiString::getEnc() const
{
    return enc_;
}
