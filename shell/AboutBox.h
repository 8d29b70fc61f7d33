#pragma once
// The box "О программе", built when it is asked for and freed when it is closed.
namespace shell {

void showAboutBox();

}  // namespace shell
