#include "window/form1.h"

void Form1::connectStore() { }

void Form1::dq() { }

void Form1::readSettingsAtStartup() { }

void Form1::Text1_Click() { }
