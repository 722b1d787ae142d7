#pragma once
// "export web page...": the position shown as one web page that any browser opens.
#include <string>

struct TMenuTabelle;

// Writes the page of the position in the piece list to datei; a failure raises naming it.
void WebSeiteExportieren(const std::string& datei);

extern const TMenuTabelle WebExportMenue;
