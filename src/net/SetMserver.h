#pragma once

class Module1;

// MServerBase becomes the fallback base address of the update server when MServer says so, the primary otherwise.
void SetMserver(Module1& module);
