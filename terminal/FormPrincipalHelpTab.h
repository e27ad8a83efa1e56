#pragma once
// The tab "AJUDA - TECLAS DE ATALHO": each command of the terminal with a
// bold heading and a regular example below it.
class QWidget;

QWidget* CreateHelpTab();
