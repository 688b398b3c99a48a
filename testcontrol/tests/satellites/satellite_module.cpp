// A language library for the test control: it carries resources only.
