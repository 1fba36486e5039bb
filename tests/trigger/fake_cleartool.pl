#!/usr/bin/perl
# Stand-in for cleartool in the trigger script's tests. It only answers
#     describe -aattr -all <path>@@/main/0
# from a fixture file (ZAN_FAKE_CT_FIXTURE), one line each:
#     <path>                     the element exists and has no attributes
#     <path><TAB><attribute>     the element carries this attribute line, e.g. __checkout = "bob"
#                                (printed indented by four blanks unless it starts with a blank)
# ZAN_FAKE_CT_LOG      append the arguments of every call (tab-separated, one call a line)
# ZAN_FAKE_CT_FAIL     fail every call with this error text
# ZAN_FAKE_CT_CRLF     end output lines with CR LF, as on Windows
use strict;
use warnings;

if (my $log = $ENV{ZAN_FAKE_CT_LOG}) {
    open(my $out, '>>', $log) or die "cannot append to $log: $!\n";
    print $out join("\t", @ARGV), "\n";
    close($out);
}
fail($ENV{ZAN_FAKE_CT_FAIL}) if defined $ENV{ZAN_FAKE_CT_FAIL};

my ($command, $aattr, $all, $versionPath) = @ARGV;
fail("fake cleartool only knows describe -aattr -all <path>, got: @ARGV")
    unless @ARGV == 4 && $command eq 'describe' && $aattr eq '-aattr' && $all eq '-all';
fail("Not a version: \"$versionPath\"") unless $versionPath =~ /^(.*)\@\@\/main\/0$/s;
my $path = $1;

my ($known, @attributes) = fixtureFor($path);
fail("Unable to access \"$versionPath\": No such file or directory.") unless $known;

my $eol = $ENV{ZAN_FAKE_CT_CRLF} ? "\r\n" : "\n";
binmode(STDOUT);
print $versionPath, $eol;
if (@attributes) {
    print '  Attributes:', $eol;
    print /^\s/ ? '' : '    ', $_, $eol for @attributes;
}
exit 0;

sub fixtureFor {
    my ($wanted) = @_;
    my $file = $ENV{ZAN_FAKE_CT_FIXTURE};
    return (0) unless defined $file;
    open(my $in, '<', $file) or fail("cannot read fixture $file: $!");
    binmode($in);
    my ($known, @attributes) = (0);
    while (my $line = <$in>) {
        chomp $line;
        my ($path, $attribute) = split(/\t/, $line, 2);
        next unless $path eq $wanted;
        $known = 1;
        push @attributes, $attribute if defined $attribute;
    }
    close($in);
    return ($known, @attributes);
}

sub fail {
    my ($message) = @_;
    print STDERR "cleartool: Error: $message\n";
    exit 1;
}
