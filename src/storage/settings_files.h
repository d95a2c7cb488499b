// The three settings files: save name, load name, image size.
#pragma once

void ReadSaveNameFile();
void ReadLoadNameFile();
void ReadSizeFile();
// Each returns 1, or 0 when its file could not be written (opened, written or
// closed); the failure has then been shown and said on the standard error.
int WriteSaveNameFile();
int WriteLoadNameFile();
int WriteSizeFile();
