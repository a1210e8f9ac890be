#pragma once
// The picture window: one dedication picture, nothing else.
#include "platform/forms.h"

class frmKLWRP : public vb::Form {
public:
    explicit frmKLWRP(vb::Runtime& rt);
};
