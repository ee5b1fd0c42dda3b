#pragma once
// The libraries hold pattern values in single precision. The module gives each one as the
// double nearest its shortest decimal text, so that 30.05 read from a file comes back as
// 30.05, not 30.049999237060547; numpy's float32() of it is the stored float exactly.

double asRead(float value);
