#!/usr/bin/perl
# Zan Utility security trigger (placeholder until the enforcement rules land).
exit 0;
