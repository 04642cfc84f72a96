#include "app/TFormPage.h"

TFormPage::TFormPage(QWidget* parent) : QWidget(parent) {}
