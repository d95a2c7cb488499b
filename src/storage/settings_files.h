// The three settings files: save name, load name, image size.
#pragma once

void ReadSaveNameFile();
void ReadLoadNameFile();
void ReadSizeFile();
void WriteSaveNameFile();
void WriteLoadNameFile();
void WriteSizeFile();
