#!/usr/bin/perl
# Stand-in "cleartool" for the trigger script's tests (a wrapper on the PATH sets FAKE_CT_*).
# Answers describe -fmt '%m\n%En\n%Vn\n%[NAME]a' <path>@@/main/0, describe -long vob:<tag> and lsvob -short
# from FAKE_CT_FIXTURE, one line each: <path> (the element exists), <path>\t<name>\t<value>
# (a string attribute; \n, \t, \\ escapes) or vob\t<tag>\t<owner>.
# FAKE_CT_LOG: append every call's arguments. FAKE_CT_FAIL: fail with this text. FAKE_CT_CRLF:
# end lines with CR LF. FAKE_CT_REPLY: answer wrongly: silent, other (another element),
# listing (the -aattr listing), number (an unquoted value).
use strict;
use warnings;

if (my $log = $ENV{FAKE_CT_LOG}) {
    open(my $out, '>>', $log) or die "cannot append to $log: $!\n";
    print $out join("\t", @ARGV), "\n";
    close($out);
}
fail($ENV{FAKE_CT_FAIL}) if defined $ENV{FAKE_CT_FAIL};
my $reply = $ENV{FAKE_CT_REPLY} || '';
exit 0 if $reply eq 'silent';
my $eol = $ENV{FAKE_CT_CRLF} ? "\r\n" : "\n";
binmode(STDOUT);

if (@ARGV == 3 && $ARGV[0] eq 'describe' && $ARGV[1] eq '-long' && $ARGV[2] =~ /^vob:(.*)$/s) {
    my ($owner) = map { $_->[2] } grep { $_->[0] eq 'vob' && $_->[1] eq $1 } fixture();
    fail("Unable to determine VOB for pathname \"$1\".") unless defined $owner;
    print join($eol, "versioned object base \"$1\"", '  VOB ownership:', "    owner $owner", '    group ccusers'), $eol;
    exit 0;
}
if (@ARGV == 2 && $ARGV[0] eq 'lsvob' && $ARGV[1] eq '-short') {
    print map { "$_->[1]$eol" } grep { $_->[0] eq 'vob' } fixture();
    exit 0;
}
fail("fake cleartool does not know: @ARGV")
    unless @ARGV == 4 && $ARGV[0] eq 'describe' && $ARGV[1] eq '-fmt'
        && $ARGV[2] =~ /^%m\\n%En\\n%Vn\\n%\[([^\]]+)\]a$/;
my $wanted = $1;
fail("Not a version: \"$ARGV[3]\"") unless $ARGV[3] =~ /^(.*)\@\@\/main\/0$/s;
my $path = $1;
my @rows = grep { $_->[0] eq $path } fixture();
fail("Unable to access \"$ARGV[3]\": No such file or directory.") unless @rows;
my %attributes = map { $_->[1] => $_->[2] } grep { @$_ == 3 } @rows;

if ($reply eq 'listing') {
    print "$ARGV[3]$eol  Attributes:$eol";
    print "    $_ = \"$attributes{$_}\"$eol" for sort keys %attributes;
    exit 0;
}
print join($eol, 'version', $reply eq 'other' ? "$path.other" : $path, '/main/0', '');
if (defined $attributes{$wanted}) {
    print $reply eq 'number' ? "($wanted=$attributes{$wanted})" : "($wanted=\"$attributes{$wanted}\")";
}
exit 0;

sub fixture {
    my $file = $ENV{FAKE_CT_FIXTURE};
    return () unless defined $file;
    open(my $in, '<', $file) or fail("cannot read fixture $file: $!");
    binmode($in);
    my @rows;
    while (my $line = <$in>) {
        chomp $line;
        my @fields = split(/\t/, $line, 3);
        $fields[2] = unescape($fields[2]) if @fields == 3 && $fields[0] ne 'vob';
        push @rows, \@fields;
    }
    close($in);
    return @rows;
}

sub unescape { return $_[0] =~ s/\\(.)/$1 eq 'n' ? "\n" : $1 eq 't' ? "\t" : $1/ger }

sub fail {
    my ($message) = @_;
    print STDERR "cleartool: Error: $message\n";
    exit 1;
}
