#pragma once

#include "platform/host/Host.h"

class QMenu;

// Fills Menu from the menu model: captions with their "&" access keys, separators ("-"),
// check marks (radio items as a group), disabled items, submenus. A shortcut text stands in
// the shortcut column after a tab, as text only: the form handles the keys itself, so Qt
// must not fire them too. Each action carries its item's Id as data.
void BuildMenu(QMenu& Menu, const std::vector<THostMenuItem>& Items);
